#pragma once

// Element and attribute names that the program's own markup writers put into
// documents. The shipped colour rules must colour every one of them, so whoever
// adds or extends a generator appends the names it writes here.

// Written as "<NAME".
inline constexpr const char *GeneratorTagNames[] = {
    // tag commands of the Format and Elements menus, and the "Get Tagloom" button
    "H1",
    "H2",
    "H3",
    "H4",
    "H5",
    "H6",
    "ADDRESS",
    "BLOCKQUOTE",
    "CENTER",
    "CITE",
    "CODE",
    "KBD",
    "SAMP",
    "VAR",
    "B",
    "I",
    "U",
    "TT",
    "STRONG",
    "EM",
    "STRIKE",
    "SUB",
    "SUP",
    "BIG",
    "SMALL",
    "BLINK",
    "HTML",
    "HEAD",
    "TITLE",
    "BASE",
    "BODY",
    "A",
    "IMG",
    // element dialogs
    "MENU",
    "DIR",
    "ISINDEX",
    "ILAYER",
    "LAYER",
    // the script wizard (font tags, alignment, script blocks)
    "FONT",
    "DIV",
    "SCRIPT",
};

// Written as "NAME=".
inline constexpr const char *GeneratorAttributeNames[] = {
    // tag commands of the Elements menu, and the "Get Tagloom" button
    "PROMPT",
    "HREF",
    "TARGET",
    "BACKGROUND",
    "BGCOLOR",
    "TEXT",
    "LINK",
    "ALINK",
    "VLINK",
    "SRC",
    "ALT",
    "BORDER",
    // element dialogs
    "CLEAR",
    "WRAP",
    "SCROLLING",
    "MARGINWIDTH",
    "MARGINHEIGHT",
    "CODEBASE",
    "LOWSRC",
    "START",
    "DIR",
    "VISIBILITY",
    // the script wizard
    "FACE",
    "SIZE",
    "COLOR",
    "ALIGN",
    "TYPE",
};
