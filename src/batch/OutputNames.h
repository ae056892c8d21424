#pragma once
// The files a lot writes: each output name with {name} replaced by the lot's
// file name, and the checks that no two outputs land on one file.

#include <QString>

#include <string>

namespace qv {

struct BatchArguments;

struct OutputNames
{
    QString exportPath;  // --export, empty when not asked for
    QString ocCurvePath; // --oc-curve
    QString saveProject; // --save-project

    // The names for the lot `file` (as given): "{name}" in each stands for the
    // file's name without its folder and last extension.
    static OutputNames forLot(const BatchArguments& arguments, const QString& file);
};

// The bytes of a file name as the command line gave it (see fileNameText).
std::string nameBytes(const QString& name);

// Refuses, with a UsageError, outputs that would destroy or leave only the last
// of several writes: with several FILEs an output name without {name}, an output
// name that comes out empty, two outputs of the run that are one file and an
// output that is one of the input files (FILEs and the overlay), each file
// known by fileIdentity. Touches no file.
void checkOutputNames(const BatchArguments& arguments);

} // namespace qv
