// Small math helpers of the framework: random numbers, interpolation, degree conversions,
// bit helpers and packed-colour channels. Used throughout the framework and by games.
#pragma once
