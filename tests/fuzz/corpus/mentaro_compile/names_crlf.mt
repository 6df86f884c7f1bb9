ARG colour
ARG target

COLOR SCENE colour # clear to it
CLEAR COLOR
CANVAS DISABLE target FALSE
