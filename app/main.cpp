#include "window/TallimoApplication.h"

int main(int argc, char *argv[])
{
    return runTallimo(argc, argv);
}
