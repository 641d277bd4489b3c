// LumaqTst, the driver test program.
#include "core/main/Lumaq.h"

int main(int argc, char** argv)
{
    return RunLumaqTst(argc, argv);
}
