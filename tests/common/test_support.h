#pragma once

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

#include "playback/track_tags.h"

namespace zelvo::test {

// Absolute path of a file under tests/data.
QString DataFile(const QString& name);

// Runs the event loop until the predicate holds or the timeout passes, so a
// regression fails the test instead of hanging it. Returns the predicate's last value.
bool WaitFor(const std::function<bool()>& predicate, int timeoutMs = 5000);

// Reads a whole file as bytes; empty when it cannot be read.
QByteArray ReadBytes(const QString& path);

// Writes bytes to a file, replacing it; fails the test when it cannot.
void WriteBytes(const QString& path, const QByteArray& bytes);
// Gives an MP3 an ID3v2 tag with the texts, the track number and (as its
// front cover, a PNG) the picture of `tags`.
void TagMp3(const QString& path, const TrackTags& tags);

// Makes a FIFO at one path and a link to /dev/zero at the other: files named
// as the caller likes that never end, blocking or endless to whoever reads them.
::testing::AssertionResult MakeEndlessFiles(const QString& fifo, const QString& zero);

}  // namespace zelvo::test
