#include "platform/Screen.h"

namespace Velmora {

int g_screenWidth = 0;
int g_screenHeight = 0;

}  // namespace Velmora
