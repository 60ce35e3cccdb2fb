#include "editor/ColorMemo.h"

#include <QKeyEvent>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

TColorMemo::TColorMemo(QWidget *parent) : QsciScintilla(parent)
{
    setObjectName(QStringLiteral("Memo1"));
    // Colours are painted with indicators, so the document needs no style bytes:
    // that halves the memory of a huge file.
    const long doc = SendScintilla(SCI_CREATEDOCUMENT, 0UL, long(SC_DOCUMENTOPTION_STYLES_NONE));
    SendScintilla(SCI_SETDOCPOINTER, 0UL, doc);
    SendScintilla(SCI_RELEASEDOCUMENT, 0UL, doc);
    SendScintilla(SCI_SETCODEPAGE, SC_CP_UTF8);
    SendScintilla(SCI_SETEOLMODE, SC_EOL_CRLF);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);
    SendScintilla(SCI_SETHSCROLLBAR, 0);
    setWrapMode(QsciScintilla::WrapWord);
    setMarginWidth(1, 0);
    setTabWidth(8);
    setIndentationsUseTabs(true);
    clearClashingKeys();
}

void TColorMemo::clearClashingKeys()
{
    // The menus own every Ctrl key; the editor keeps plain editing keys only.
    const auto commands = standardCommands()->commands();
    for (QsciCommand *cmd : commands) {
        for (int key : {cmd->key(), cmd->alternateKey()}) {
            if (!key)
                continue;
            const int mods = key & (Qt::CTRL | Qt::ALT | Qt::META | Qt::SHIFT);
            const int plain = key & ~(Qt::CTRL | Qt::ALT | Qt::META | Qt::SHIFT | Qt::KeypadModifier);
            const bool letterOrDigit = (plain >= Qt::Key_A && plain <= Qt::Key_Z) || (plain >= Qt::Key_0 && plain <= Qt::Key_9);
            const bool functionKey = plain >= Qt::Key_F1 && plain <= Qt::Key_F35;
            if (((mods & (Qt::CTRL | Qt::ALT)) && letterOrDigit) || functionKey) {
                if (key == cmd->key())
                    cmd->setKey(0);
                else
                    cmd->setAlternateKey(0);
            }
        }
    }
}

bool TColorMemo::event(QEvent *e)
{
    // QScintilla claims every unmodified or shifted key before shortcuts see it;
    // function keys and Enter with modifiers belong to the menus.
    if (e->type() == QEvent::ShortcutOverride) {
        auto *ke = static_cast<QKeyEvent *>(e);
        if (ke->key() >= Qt::Key_F1 && ke->key() <= Qt::Key_F35)
            return QWidget::event(e);
    }
    return QsciScintilla::event(e);
}

void TColorMemo::keyPressEvent(QKeyEvent *e)
{
    emit keyDown(e);
    QsciScintilla::keyPressEvent(e);
}

QByteArrayView TColorMemo::textView() const
{
    auto *self = const_cast<TColorMemo *>(this);
    const int len = length();
    const char *p = reinterpret_cast<const char *>(self->SendScintilla(SCI_GETCHARACTERPOINTER));
    return QByteArrayView(p, len);
}

int TColorMemo::length() const
{
    return int(const_cast<TColorMemo *>(this)->SendScintilla(SCI_GETLENGTH));
}

QByteArrayView TColorMemo::rangeView(int from, int to) const
{
    auto *self = const_cast<TColorMemo *>(this);
    const int len = length();
    from = std::clamp(from, 0, len);
    to = std::clamp(to, from, len);
    if (to == from)
        return {};
    const char *p = reinterpret_cast<const char *>(self->SendScintilla(SCI_GETRANGEPOINTER, long(from), long(to - from)));
    return QByteArrayView(p, to - from);
}

void TColorMemo::loadBytes(const QByteArray &bytes)
{
    beginLoad(bytes.size());
    appendLoadedBytes(bytes);
    endLoad();
}

void TColorMemo::beginLoad(qint64 expectedSize)
{
    // Wrapping while appending lays out every line at once; it is switched
    // back on at the end, when only the visible lines need it.
    m_wrapAfterLoad = SendScintilla(SCI_GETWRAPMODE);
    SendScintilla(SCI_SETWRAPMODE, SC_WRAP_NONE);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0);
    SendScintilla(SCI_CLEARALL);
    // Single-byte while loading: a piece may end inside a UTF-8 sequence.
    SendScintilla(SCI_SETCODEPAGE, 0);
    SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(expectedSize + 1));
}

void TColorMemo::appendLoadedBytes(QByteArrayView bytes)
{
    if (!bytes.isEmpty())
        SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(bytes.size()), bytes.data());
}

void TColorMemo::endLoad()
{
    SendScintilla(SCI_SETCODEPAGE, textView().isValidUtf8() ? SC_CP_UTF8 : 0);
    SendScintilla(SCI_SETUNDOCOLLECTION, 1);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETSAVEPOINT);
    SendScintilla(SCI_GOTOPOS, 0L);
    SendScintilla(SCI_SETWRAPMODE, static_cast<unsigned long>(m_wrapAfterLoad));
}

bool TColorMemo::isUtf8Document() const
{
    return const_cast<TColorMemo *>(this)->SendScintilla(SCI_GETCODEPAGE) == SC_CP_UTF8;
}

int TColorMemo::SelStart() const
{
    return int(const_cast<TColorMemo *>(this)->SendScintilla(SCI_GETSELECTIONSTART));
}

int TColorMemo::SelLength() const
{
    auto *self = const_cast<TColorMemo *>(this);
    return int(self->SendScintilla(SCI_GETSELECTIONEND) - self->SendScintilla(SCI_GETSELECTIONSTART));
}

QByteArray TColorMemo::SelText() const
{
    const int start = SelStart();
    return rangeView(start, start + SelLength()).toByteArray();
}

void TColorMemo::setSelStart(int pos)
{
    pos = std::clamp(pos, 0, length());
    SendScintilla(SCI_SETEMPTYSELECTION, long(pos));
    SendScintilla(SCI_SCROLLCARET);
}

void TColorMemo::setSelLength(int len)
{
    const int start = SelStart();
    const int end = std::clamp(start + std::max(len, 0), start, length());
    SendScintilla(SCI_SETSEL, long(start), long(end));
}

void TColorMemo::setSelText(const QByteArray &bytes)
{
    // SCI_REPLACESEL stops at a NUL; replacing the target takes a length.
    const long start = SendScintilla(SCI_GETSELECTIONSTART);
    const long end = SendScintilla(SCI_GETSELECTIONEND);
    SendScintilla(SCI_SETTARGETRANGE, start, end);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(bytes.size()), bytes.constData());
    SendScintilla(SCI_SETEMPTYSELECTION, start + long(bytes.size()));
    SendScintilla(SCI_SCROLLCARET);
}

void TColorMemo::setSelText(const QString &text)
{
    setSelText(encode(text));
}

QByteArray TColorMemo::encode(const QString &text) const
{
    return isUtf8Document() ? text.toUtf8() : text.toLatin1();
}

QString TColorMemo::decode(QByteArrayView bytes) const
{
    return isUtf8Document() ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);
}

void TColorMemo::beginUndoAction()
{
    SendScintilla(SCI_BEGINUNDOACTION);
}

void TColorMemo::endUndoAction()
{
    SendScintilla(SCI_ENDUNDOACTION);
}
