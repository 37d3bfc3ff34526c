// The program exactly as app/main.cpp starts it, ended at its first paint.
#include "FirstPaint.h"

#include "window/TallimoApplication.h"

int main(int argc, char *argv[])
{
    FirstPaint firstPaint;
    return runTallimo(argc, argv, &firstPaint);
}
