// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/ConfigCommands.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <vector>

#include "job/CommandLine.h"
#include "config/Archive.h"
#include "config/ConfigText.h"
#include "config/Configuration.h"
#include "config/FileBytes.h"
#include "table/TableBuilder.h"
#include "input/DiscardList.h"
#include "input/InputFile.h"
#include "input/Orb.h"
#include "text/TextUtils.h"
#include "writers/OutputFile.h"

namespace {

void Say(std::FILE* err, const std::string& line) {
  std::fprintf(err, "%s\n", line.c_str());
}

// " (<reason of errno>)"; the program runs in the C locale, so in English.
std::string Reason() { return std::string(" (") + std::strerror(errno) + ")"; }

bool ReadWholeFile(const std::string& path, std::string& data) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ReadAll(fd, data);
  close(fd);
  return ok;
}

// Loads the configuration file at `path`; false after saying why not.
bool LoadConfig(const std::string& path, CConfiguration& config,
                std::FILE* err) {
  try {
    if (LoadConfigurationFile(path, config) != 0) {
      Say(err, path + ": cannot read the configuration file" + Reason());
      return false;
    }
  } catch (const CArchiveException&) {
    Say(err, path + ": not a valid configuration file (it ends too early)");
    return false;
  }
  return true;
}

bool IsMarkType(int type) {
  return type == kColMajorMark || type == kColMinorMark ||
         type == kColPieceMark;
}

std::string ColumnName(const CConfiguration& config, int column) {
  const CConfigColumnItem& item = config.m_columns[static_cast<size_t>(column)];
  // A type name of a hand-made file may hold any byte: quote it.
  const bool known = item.m_strType == kColumnTypeNames[item.m_nType];
  return "column " + std::to_string(column + 1) + " " +
         QuoteText(item.m_strHeader) + " (" +
         (known ? item.m_strType : QuoteText(item.m_strType)) + ")";
}

// Prints what one reading of the input matched; returns whether the
// configuration applies to it.
bool CheckReading(COrb& document, const char* reading, std::FILE* out) {
  const CConfiguration& config = document.m_config;
  std::fprintf(out, "Reading %s:\n", reading);

  int32_t firstRowHeight = 0;
  size_t startIndex = 0;
  std::vector<COrbHeader> headers;
  if (!FindFirstDataRow(document.m_texts, firstRowHeight, startIndex)) {
    std::fprintf(out, "  no text is a count, so no table was found\n");
  } else {
    const int32_t dataHeight = firstRowHeight;
    MatchHeaders(document.m_texts, config.m_columns, headers, firstRowHeight,
                 startIndex);
    // The k-th matched header is the first text after the (k-1)-th that
    // equals its column's header: every text equal to that header matches
    // that same column.
    std::vector<bool> found(config.m_columns.size(), false);
    size_t k = 0;
    for (size_t i = 0;
         i < document.m_texts.size() && document.m_texts[i].m_y > dataHeight &&
         k < headers.size();
         ++i) {
      const COrbText& text = document.m_texts[i];
      const int column = headers[k].m_nColumn;
      if (text.m_x != headers[k].m_x ||
          ToUpperAscii(text.m_text) !=
              ToUpperAscii(
                  config.m_columns[static_cast<size_t>(column)].m_strHeader)) {
        continue;
      }
      std::fprintf(out, "  header %s matches %s\n",
                   QuoteText(text.m_text).c_str(),
                   ColumnName(config, column).c_str());
      found[static_cast<size_t>(column)] = true;
      ++k;
    }
    for (size_t j = 0; j < found.size(); ++j) {
      if (found[j]) continue;
      std::fprintf(out, "  no header matches %s\n",
                   ColumnName(config, static_cast<int>(j)).c_str());
    }
  }

  const int applied = document.ApplyLoadedConfiguration();
  if (applied == 0) {
    std::fprintf(out, "  applies: %d rows\n", document.m_nRows);
    return true;
  }
  bool seen[3] = {false, false, false};  // a mark, a quantity, a material
  for (const COrbHeader& header : headers) {
    const int type =
        config.m_columns[static_cast<size_t>(header.m_nColumn)].m_nType;
    seen[0] = seen[0] || IsMarkType(type);
    seen[1] = seen[1] || type == kColQuantity;
    seen[2] = seen[2] || type == kColMaterial;
  }
  std::string missing;
  const char* const names[3] = {"mark", "quantity", "material"};
  for (int i = 0; i < 3; ++i) {
    if (seen[i]) continue;
    missing += missing.empty() ? "" : ", ";
    missing += names[i];
  }
  std::fprintf(out, "  does not apply: no %s column matched\n",
               missing.c_str());
  return false;
}

}  // namespace

int DumpConfig(const std::string& configPath, std::FILE* out, std::FILE* err) {
  CConfiguration config;
  if (!LoadConfig(configPath, config, err)) return 1;
  for (size_t j = 0; j < config.m_columns.size(); ++j) {
    const std::string& type = config.m_columns[j].m_strType;
    if (type == kColumnTypeNames[ColumnTypeFromName(type)]) continue;
    Say(err, configPath + ": warning: column " + std::to_string(j + 1) +
                 " has the type " + QuoteText(type) +
                 ", which is not one of the 24 column types");
  }
  const std::string text = ConfigurationToText(config);
  if (std::fwrite(text.data(), 1, text.size(), out) != text.size() ||
      std::fflush(out) != 0) {
    Say(err, configPath + ": cannot write the text form" + Reason());
    return 1;
  }
  return 0;
}

int MakeConfig(const std::string& textPath, const std::string& configPath,
               bool overwrite, std::FILE* err) {
  std::string text;
  if (!ReadWholeFile(textPath, text)) {
    Say(err, textPath + ": cannot read the file" + Reason());
    return 1;
  }
  CConfiguration config;
  std::vector<CConfigTextMessage> messages;
  const bool valid = ConfigurationFromText(text, config, messages);
  for (const CConfigTextMessage& message : messages) {
    Say(err, FormatConfigTextMessage(textPath, message));
  }
  if (!valid) return 1;

  CArchive archive;
  try {
    config.Store(archive);
  } catch (const std::length_error&) {
    Say(err, textPath + ": a text is too long for a configuration file");
    return 1;
  }
  struct stat existing;
  if (!overwrite && lstat(configPath.c_str(), &existing) == 0) {
    Say(err, configPath + ": the file exists; give /O to replace it");
    return 1;
  }
  // A link keeps pointing at the file, which keeps its permissions.
  if (const int error = ReplaceWholeFile(configPath, archive.Buffer())) {
    errno = error;
    Say(err, configPath + ": cannot write the file" + Reason());
    return 1;
  }
  return 0;
}

namespace {

// As a conversion does: top to bottom first, then, when the configuration
// does not apply, with the vertical axis inverted.
int CheckDrawing(CInputFile& input, size_t page, const CConfiguration& config,
                 const std::vector<std::string>& discardList, std::FILE* out,
                 std::FILE* err) {
  for (const bool bottomUp : {false, true}) {
    COrb document;
    std::string message;
    if (document.ReadDrawing(input, page, false, bottomUp, &discardList,
                             &message) != 0) {
      Say(err, message.empty() ? input.Path() + ": cannot read the file"
                               : message);
      return 1;
    }
    document.m_config = config;
    const char* reading = bottomUp ? "bottom to top" : "top to bottom";
    if (CheckReading(document, reading, out)) {
      std::fprintf(out, "The configuration applies, reading %s.\n", reading);
      return 0;
    }
  }
  std::fprintf(out,
               "The configuration does not apply (it must match a mark, a "
               "quantity and a material column).\n");
  return 1;
}

}  // namespace

int CheckConfig(const std::string& configPath, const std::string& inputPath,
                const std::string& discardListPath, std::FILE* out,
                std::FILE* err) {
  CConfiguration config;
  if (!LoadConfig(configPath, config, err)) return 1;
  std::vector<std::string> discardList;
  if (!LoadDiscardList(discardListPath, discardList)) {
    Say(err, QuotedMessage(kMsgDiscardListIgnored, discardListPath,
                           kMsgDiscardListIgnoredSuffix));
  }

  CInputFile input;
  if (!input.Load(inputPath)) {
    Say(err, inputPath + ": cannot read the file" + Reason());
    return 1;
  }
  const size_t drawings = input.DrawingCount();
  if (drawings == 0) {
    Say(err, input.Message());
    return 1;
  }
  // Every page of a PDF is a drawing of its own; it must apply to each.
  int result = 0;
  for (size_t page = 0; page < drawings; ++page) {
    if (drawings > 1) std::fprintf(out, "Page %zu:\n", page + 1);
    if (CheckDrawing(input, page, config, discardList, out, err) != 0) {
      result = 1;
    }
  }
  return result;
}

int RunConfigCommand(const CCommandLineInfo& info,
                     const std::string& discardListPath, std::FILE* out,
                     std::FILE* err) {
  struct Usage {
    ConfigCommand m_command;
    int m_nFiles;
    const char* m_text;
  };
  static const Usage kUsages[] = {
      {ConfigCommand::kDump, 1,
       "--dump-config needs one file name: CONFIG.cfg"},
      {ConfigCommand::kMake, 2,
       "--make-config needs two file names: TEXT.toml CONFIG.cfg"},
      {ConfigCommand::kCheck, 2,
       "--check-config needs two file names: CONFIG.cfg INPUT"},
  };
  for (const Usage& usage : kUsages) {
    if (usage.m_command == info.m_configCommand &&
        usage.m_nFiles != static_cast<int>(info.m_names.size())) {
      Say(err, std::string("kelconv: ") + usage.m_text);
      return 1;
    }
  }
  try {
    switch (info.m_configCommand) {
      case ConfigCommand::kDump:
        return DumpConfig(info.m_names[0], out, err);
      case ConfigCommand::kMake:
        return MakeConfig(info.m_names[0], info.m_names[1], info.m_bOverwrite,
                          err);
      case ConfigCommand::kCheck:
        return CheckConfig(info.m_names[0], info.m_names[1], discardListPath,
                           out, err);
      case ConfigCommand::kNone:
        break;
    }
  } catch (const std::exception& failure) {
    // An exhausted resource: the command ends without writing anything.
    Say(err, std::string("kelconv: ") + failure.what());
  }
  return 1;
}
