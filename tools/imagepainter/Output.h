#pragma once
// What the painter programs share: where they write and how a file is saved.

#include <QDir>
#include <QImage>
#include <QString>
#include <optional>

namespace marnova::paint {

// The output folder named by the only argument, created when missing; says
// what is wrong on standard error and gives nothing otherwise.
std::optional<QDir> OutputFolder(int argc, char** argv);

// Saves `image` as a PNG at a fixed resolution (`scale` x 96 dpi), so nothing
// but the pixels varies the file. Says on standard error when it cannot.
bool SavePng(QImage image, const QString& path, int scale = 1);

}  // namespace marnova::paint
