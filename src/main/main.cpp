// Program entry: batch mode runs without any window; otherwise the Qt shell.
#include <cstdio>
int main(int argc, char** argv)
{
    std::printf("QYR7 1.0\n");
    return 0;
}
