#pragma once

#include <QString>

class TextDocument;

// `<A HREF="href" TARGET="target">description</A>` on one line; TARGET only
// when a target is given. HREF and TARGET are attribute values (a double quote
// becomes &quot;, line breaks blanks); the description is content and is
// written as given, line breaks included.
QString LinkText(const QString &href, const QString &target, const QString &description);
// `<A NAME="name"></A>`, also for an empty name.
QString AnchorText(const QString &name);

// Write those texts in place of the document's selection (or at the caret),
// caret after them, one undo step.
void InsertLink(TextDocument &document, const QString &href, const QString &target, const QString &description);
void InsertAnchor(TextDocument &document, const QString &name);
