// The language lexers are left out of this build: the editor colours text
// with its own rules. QScintilla still asks for them to be linked in.
#include "Scintilla.h"

int Scintilla_LinkLexers()
{
    return 0;
}
