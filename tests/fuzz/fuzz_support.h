#pragma once

// Shared by the fuzz targets: each defines LLVMFuzzerTestOneInput, built
// either with libFuzzer or with the replay program (replay_main.cpp).

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace zelvo::fuzz {

// A broken promise of the code under test: prints what was expected and
// aborts, which libFuzzer and the replay both report as a failure.
void Require(bool holds, const char* what);

// A folder for the files a target writes, made once per run.
const QTemporaryDir& ScratchFolder();

// Writes the input to a file of that name in the scratch folder; returns its path.
QString WriteInput(const QString& name, const std::uint8_t* data, std::size_t size);

// A file name for audio input, as the add dialog would show it: a WMA when
// the bytes begin like one, an MP3 otherwise.
QString AudioFileName(const std::uint8_t* data, std::size_t size);

}  // namespace zelvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
