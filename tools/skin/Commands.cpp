#include "tools/skin/Commands.h"

const std::vector<Command>& Commands()
{
    static const std::vector<Command> commands = {
        {"build", "merrowin-skin build DIR -o OUT.ssk [--password P]",
         "Writes a skin archive from the folder DIR:\n"
         "  NAME.bmp    one picture per bitmap record, named after the record (SKIN2_BUTTON.bmp);\n"
         "              stored exactly as the file is\n"
         "  values.txt  the integer, flag and string records, one per line: NAME KIND VALUE\n"
         "              KIND integer: decimal (-3), 0xHEX or $HEX, 32 bits (0xFF00FF is a colour)\n"
         "              KIND flag:    a byte, 0 to 255\n"
         "              KIND string:  the rest of the line after the blanks that follow the kind\n"
         "              Blank lines and lines starting with # are skipped.\n"
         "Record order: the pictures first, those of the bitmap key table in its order, then any\n"
         "others by name; then the lines of values.txt in their order; then the terminator. The\n"
         "record file goes into the archive as the member SKINDATA.SK2, deflated, and with\n"
         "--password encrypted with the traditional ZIP cipher.",
         RunBuild},
        {"list", "merrowin-skin list SKIN [--password P]",
         "Loads a skin as the skin engine does and prints one line per loaded record in file\n"
         "order: NAME KIND VALUE, KIND being bitmap (VALUE WIDTHxHEIGHT), integer (signed\n"
         "decimal), flag (a decimal byte) or string (the text). Exits with 1 when the skin cannot\n"
         "be read and with 2 when it refused to open (no or wrong password, wrong size).",
         RunList},
        {"extract", "merrowin-skin extract SKIN -o OUT [--password P]",
         "Writes the member SKINDATA.SK2 of a skin to OUT. The exit status is the extraction's\n"
         "result: 0 extracted, 1 failed (no skin archive, or no such member), 2 refused (no or\n"
         "wrong password, or data of the wrong size); OUT is written only on 0.",
         RunExtract},
    };
    return commands;
}
