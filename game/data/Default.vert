// Tarnvale's vertex shader: the vertex through the current matrices, with its colour and
// texture coordinate, for GrayScale.frag.
void main()
{
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_FrontColor = gl_Color;
    gl_Position = ftransform();
}
