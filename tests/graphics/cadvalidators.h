#pragma once
// The independent readers that judge our CAD files: OCCT's draw program
// for IGES and admesh for STL. Each reports whether the tool was found, so
// that a test can fail (not pass quietly) where it is missing.

#include <string>
#include <vector>

struct TOcctView {
    bool ToolFound = false;
    std::string Output;
    // Lines of the reader's messages that report a failure.
    std::vector<std::string> Fails;
    int Edges = -1;
    // xmin ymin zmin xmax ymax zmax of the shapes read.
    std::vector<double> Box;
};
// igesread of every root, then nbshapes and bounding.
TOcctView OcctReadIges(const std::string& Path);
// The texts of the general notes (212), which the transfer leaves out, as
// the dump of each entity shows them, in UTF-8; none without the tool.
std::vector<std::string> OcctIgesNotes(const std::string& Path);

struct TAdmeshView {
    bool ToolFound = false;
    std::string Output;
    long Facets = -1;          // "Number of facets"
    long Degenerate = -1;      // "Degenerate facets"
    long NormalsFixed = -1;    // "Normals fixed"
    double Min[3] = {0, 0, 0}; // "Min X", "Min Y", "Min Z"
    double Max[3] = {0, 0, 0};
};
// admesh --normal-values (checks the normals, writes nothing).
TAdmeshView AdmeshRead(const std::string& Path);

// The output of a command (stdout and stderr), or nothing when it could not
// run.
std::string RunCommand(const std::string& Command);
