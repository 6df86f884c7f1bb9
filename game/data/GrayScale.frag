// Tarnvale's picture shader: the sprite's texel tinted by the vertex colour, scaled by
// Luminosity and blended toward its grey (luma) value by Factor (0 colour, 1 grey).
uniform sampler2D Texture;
uniform float Luminosity;
uniform float Factor;

void main()
{
    vec4 colour = texture2D(Texture, gl_TexCoord[0].xy) * gl_Color;
    float grey = dot(colour.rgb, vec3(0.299, 0.587, 0.114));
    gl_FragColor = vec4(mix(colour.rgb, vec3(grey), clamp(Factor, 0.0, 1.0)) * Luminosity, colour.a);
}
