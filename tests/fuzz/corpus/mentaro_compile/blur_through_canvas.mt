# Draws the scene into a canvas, then the canvas onto the window through a blur pass.
ARG canvas      # slot 0: the OV_CANVAS drawn into
ARG drawScene   # slot 1: a function that draws the scene
ARG blur        # slot 2: the shader set
ARG blurPass    # slot 3: the index of its blur pass
ARG corners     # slot 4: four corner positions
ARG coords      # slot 5: four texture coordinates
ARG sky         # slot 6: four doubles, the clear colour

CANVAS ENABLE canvas FALSE
COLOR SCENE sky
CLEAR COLOR
EXECUTE drawScene
CANVAS DISABLE canvas TRUE

PASS ENABLE blur blurPass
BLEND SRC_ALPHA ONE
RECT CANVAS canvas corners coords TRUE
PASS DISABLE blur blurPass
BLEND SRC_ALPHA ONE_MINUS_SRC_ALPHA
