#pragma once

#include <QByteArray>
#include <QHash>

class QFont;
class QString;

namespace platform {

/**
 * Codes in the text maps (ToUnicode CMaps) of a PDF that Qt wrote, and the characters they should name. A CJK font
 * gives some characters one glyph with another code (片 and the radical ⽚, 户 and 戶), and Qt names such a glyph by
 * the lowest code that reaches it. The page looks right, but its text copies and searches wrong.
 */
using GlyphRenames = QHash<char32_t, char32_t>;

/** Adds the renames that the characters drawn in the font need: the lowest code of their glyph → the character. */
void addSharedGlyphRenames(GlyphRenames& renames, const QFont& font, const QString& drawn);

/**
 * Renames the codes in the text maps of a PDF. Codes are written as four hex digits either way, so the file keeps its
 * length and its offsets stay valid. Glyph numbers, and everything outside the maps, are left alone.
 */
QByteArray renameTextMapCodes(QByteArray pdf, const GlyphRenames& renames);

} // namespace platform
