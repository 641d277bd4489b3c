// LumaqTst, the driver test program.
#include "lumaqtst/Lumaq.h"

int main(int argc, char** argv)
{
    return RunLumaqTst(argc, argv);
}
