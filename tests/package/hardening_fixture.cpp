// A program that shows every hardening flag: a local array (stack protector)
// and a copy into it whose length only the running program knows, while the
// compiler knows the array's size (a fortified strcpy, __strcpy_chk).
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    char buffer[64];
    std::strcpy(buffer, argc > 1 ? argv[1] : "");
    std::puts(buffer);
    return 0;
}
