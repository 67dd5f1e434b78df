// kondra-datagen: builds the installation tree from readable sources.
//
// Every file below a source root becomes the file at the same relative path
// below the output root. Its suffix says how:
//
//   .tsv      table file (written with DataSave). UTF-8, TAB-separated:
//             "# " lines are comments wherever they stand; the first other
//             line is "#widths" and one width per column (CP932 bytes);
//             every following line is a row, an empty line a row of empty
//             cells, missing trailing values empty cells.
//   .txt      text: CP932, every line ended by CR LF.
//   .sayings  sayings file: one saying a line, each an 81-byte record (a
//             length byte and 80 bytes of text, blank-padded).
//   other     copied byte for byte (generated binary files).
//
// The suffix is dropped: DATA/DAT/国名.DAT.tsv gives DATA\DAT\国名.DAT.
//
// Nothing is written when any source is faulty: a value wider than its
// column, a character without a CP932 form, a malformed line. Every fault
// is reported as "file:line: error: ..." and the run fails.
//
// The installation is a working one: the program rewrites its environment
// file and a user may edit the databases. With a manifest (the generated
// bytes' fingerprints of the last run) a file is written only when it is
// missing or its source gave different bytes than last time, so such edits
// stay until the source changes.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kondra::datagen {

struct Problem {
  std::string file;  // the source as named to the generator
  int line = 0;      // 1-based; 0 for the file as a whole
  std::string text;
};
// "file:line: error: text" (without the line for the whole file).
std::string Describe(const Problem& problem);

// Converters from a source's bytes to the installation file's bytes. `file`
// names the source in problems. False (with problems added) when faulty.
// The table converter writes through DataSave into `scratch` (a program
// path of a file it may create and remove).
bool ConvertTable(std::string_view source, const std::string& file, const std::string& scratch, std::string& out,
                  std::vector<Problem>& problems);
bool ConvertText(std::string_view source, const std::string& file, std::string& out, std::vector<Problem>& problems);
bool ConvertSayings(std::string_view source, const std::string& file, std::string& out,
                    std::vector<Problem>& problems);

struct Options {
  std::string outputRoot;                // native folder
  std::vector<std::string> sourceRoots;  // native folders, in order
  std::vector<std::string> folders;      // folders to create below the output root ("CAL/KDR")
  std::string manifest;                  // native file; empty: every file is written
  std::string depfile;                   // native file listing every source read; empty: none
};

// Builds the tree. Problems and a one-line summary go to `log`. Returns the
// exit status: 0 done, 1 faulty sources or a file that could not be written,
// 2 bad options.
int Run(const Options& options, std::ostream& log);

}  // namespace kondra::datagen
