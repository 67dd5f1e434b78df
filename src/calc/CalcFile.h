// The open calculation file (".KDR"): one record store held for the whole
// run, the inputs of the engine rebuilt from it after every change, the file
// commands, the layer-row commands, the refresh of material values and the
// repairs of older files. Labels and record layout: calc/LayerRecord.h.
//
// Every input the user commits is written into CalcStore at once (see
// calc/CalcInput.h); the file on disk changes only through SaveCalcFile
// (the save commands and the repairs). Results are never stored.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "calc/CalcState.h"
#include "records/RecordStore.h"

namespace kondra {

// The open file and its path (program form, "C:\…\W1.KDR").
extern RecordStore CalcStore;
extern std::string CalcPath;
// The results folder, fixed at start-up: the start-up file's folder +
// "＜RESULT＞\"; it receives the report pictures and holds FILE_NEM.DAT.
// Empty until OpenStartupFile (nothing is noted then).
extern std::string ResultDir;

inline constexpr const char* kResultFolderName = "＜RESULT＞";
inline constexpr const char* kResultNameFile = "FILE_NEM.DAT";
inline constexpr const char* kNoResultName = "-<なし>-";
inline constexpr const char* kSampleFile = "TEST_KDR.KDR";
inline constexpr const char* kPictureWord = "Kondra";

// The display names of the two sides for a part class number.
std::pair<std::string, std::string> SideNames(int32_t partIndex);

// The sample calculation CalcDir + "KDR\TEST_KDR.KDR", and whether a path
// is it (contains "\TEST_KDR.KDR").
std::string SampleCalcPath();
bool IsSampleFile(const std::string& path);

// Rebuilds Calc's inputs from CalcStore: title, the two sides (vapour
// pressure and dew point follow), the part class with its side names and
// the vertical flag (record 1104's code "V"), and — when the store has a
// line "№2101" — the layers: every layer record is written back with its
// values (so all nine exist), r and rv follow from thickness where λ or p
// is given, and each name not in 材料物性.DAT is remarked in the status bar
// ("k番目の材料〔name〕は材料登録されていませんね。"), the row still counting.
// Results and Calculated are left alone.
void RebuildInputs(CalcState& s = Calc);

// A new store for the path (header line only); the inputs are those of a new
// calculation and nothing is calculated. Status "〔全データ初期化〕<path>".
void NewCalcFile(const std::string& path);

// Opens the file. A missing file gives "読込むファイル名が見つかりません。"
// and an empty store for that path. A file that is not a calculation file
// (empty, binary, not Shift-JIS, UTF-8, a line that is no record or is cut short,
// a label below 1000, a record of the wrong type, a field that is not a
// number) is reported with its name, the line and the reason, and the open
// file stays as it was. Otherwise the store is replaced, the inputs rebuilt,
// Calculated cleared, the modified flag cleared, and the status reads
// "〔ファイル読込〕<path>". Returns whether the file was read.
bool ReadCalcFile(const std::string& path);

// The reason a store read from `path` is not a calculation file, empty when
// it is one (checks the records ReadCalcFile names above).
std::string CalcFileProblem(const RecordStore& store);

// Discards stale result pictures (ClearResultFiles(path, "Kondra")), saves
// the store to the path, rebuilds the inputs; status "〔ファイル保存〕<path>".
// The path becomes CalcPath. False (with the store's message) when it could
// not be written; the file on disk is then as it was.
bool SaveCalcFile(const std::string& path);

// Deletes, without asking, every file of the path's folder + "＜RESULT＞\"
// whose name contains `word`; then FILE_NEM.DAT of the results folder names
// "-<なし>-".
void ClearResultFiles(const std::string& path, const std::string& word);
// FILE_NEM.DAT of the results folder names the path's base name (the
// calculation the pictures there belong to). Creates the file when missing.
void NoteFileName(const std::string& path);
// Deletes the path's folder + base name + "(k).EMF" for k = 0 … last when present.
void DeleteNumberedMetafiles(const std::string& path, int last);

// The row commands (each asks first; "No" and Cancel change nothing).
// InsertLayerRow(k): a copy of row k goes in before it and rows k … n move
// down one (refused silently when nine rows are filled or k is not a filled
// row). DeleteLayerRow(k): rows k + 1 … n move up one and the last record is
// removed. Both rebuild the inputs, set the modified flag and clear
// Calculated. True when done.
bool InsertLayerRow(int k);
bool DeleteLayerRow(int k);

// Asks, then copies λ, r, p and rv and the material number from 材料物性.DAT
// into every layer whose name is found there (others keep their values),
// rebuilds, sets the modified flag and says "材料物性値を更新しました。". The
// caller refreshes its screen before the closing message through
// `beforeMessage`. True when done.
bool RefreshMaterials(const std::function<void()>& beforeMessage = {});

// The two repairs of older or outdated files, run after every redraw of the
// inputs: (1) a first layer record with colour number 0 gets the colour of
// every layer from 材料物性.DAT and the file is saved; (2) layer records whose
// material number no longer matches 材料物性.DAT get the right number, the
// user is told, and the file is saved. Each repair runs at most once per
// load or save: its own save does not start it again, so a material whose
// colour is itself 0 cannot make it repeat without end.
void RepairLayerRecords();

// The start-up file: `recorded` (the environment's last file) when it ends
// in ".KDR", else the sample. Read when it exists, else a new store for it.
// Fixes the results folder. Returns the path opened.
std::string OpenStartupFile(const std::string& recorded);

}  // namespace kondra
