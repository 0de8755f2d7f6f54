/* A stand-in planted beside a program under a system library's name. Its export tells the
   probe which copy it got. */
#include <windows.h>

__declspec(dllexport) int VarnPlantedMarker(void)
{
    return 1;
}
