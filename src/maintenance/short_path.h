#pragma once

#include <QString>

namespace maintenance {

/** The length of a text in bytes once written in the Chinese ANSI code page (GB18030). */
int ansiLength(const QString& text);

/**
 * A long path shortened for display: the first two parts stay, then "......", then the parts from k up to `last`.
 * While the text is longer than `limit` bytes (ansiLength) the same is done again to the shortened text with k + 1,
 * so more directories give way each round. Parts are separated by "/", so on this system the first part of an absolute
 * path is the empty text before the root.
 *
 * `last` is matched against the path's last part equal to it, so a folder that happens to carry the file's name does
 * not cut the display short. A path without `last`, or without a directory that can give way, is returned as it is;
 * a text that still exceeds the limit once only "......" and `last` remain is returned at that point.
 */
QString shortenPath(const QString& path, int k, const QString& last, int limit);

/** Paths longer than this many bytes are shown shortened in the path labels. */
inline constexpr int longPathBytes = 49;

/** The path as a path label shows it: shortenPath(path, 3, last, limit) when it is longer than longPathBytes. */
QString shownPath(const QString& path, const QString& last, int limit);

/** A name inside a folder: a root such as "/" takes the name directly, any other folder after a "/". */
QString pathInFolder(const QString& folder, const QString& name);

} // namespace maintenance
