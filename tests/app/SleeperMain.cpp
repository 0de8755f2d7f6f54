// Stands in for the product's running program: it only waits to be stopped.
#include <windows.h>

int main()
{
    ::Sleep(120000);
    return 0;
}
