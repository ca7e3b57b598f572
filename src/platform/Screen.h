#pragma once
// The client size requested by setup.lua. Sprite rendering projects onto it on every
// draw, whatever the size of the back buffer (full screen scales the picture).
namespace Velmora {

extern int g_screenWidth;
extern int g_screenHeight;

}  // namespace Velmora
