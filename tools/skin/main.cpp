// merrowin-skin: builds skin archives from a folder of pictures and values, and looks inside
// existing ones.
#include "tools/common/CommandTool.h"
#include "tools/skin/Commands.h"

int main(int argc, char** argv)
{
    return RunCommandTool("merrowin-skin", Commands(), argc, argv);
}
