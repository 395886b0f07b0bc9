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

// Audio input: the first byte chooses the file's extension among every one
// Zelvo opens (its value modulo their number, in SupportedAudioExtensions'
// order: 0 mp3, 1 wma, 2 flac, 3 ogg ...), the rest is the file. Writes it and
// returns its path; empty when there is no byte to choose by.
QString WriteAudioInput(const std::uint8_t* data, std::size_t size);

}  // namespace zelvo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
