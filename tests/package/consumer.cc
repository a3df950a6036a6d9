#include <carrowin/carrowin.h>

int main() { return carrowin::EncodeSmallNumber(0) == 0x30 ? 0 : 1; }
