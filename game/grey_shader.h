// The grey-fade shader set "gscl" as the game draws through it: the ground and every actor
// are drawn between BeginGreyShader and EndGreyShader, which hand the shader this frame's
// grey amount.
#pragma once

// |sin(greyFactor x 180 degrees)|: 0 in full colour, up to 1 for fully grey.
float GreyAmount();
// Activates slot 0 of "gscl" and sets its "Factor" to GreyAmount(); false (nothing
// activated) when the set is missing or its slot is empty.
bool BeginGreyShader();
// Back to fixed-function drawing.
void EndGreyShader();
