// merrowin-pack: makes installers out of a wallpaper movie and its settings, and looks inside
// installers that exist.
#include "tools/common/CommandTool.h"
#include "tools/pack/Commands.h"

int main(int argc, char** argv)
{
    return RunCommandTool("merrowin-pack", Commands(), argc, argv);
}
