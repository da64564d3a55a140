// Telling whether two outputs are one file: each name is resolved as its save will
// resolve it, so a link or a linked folder cannot hide that two names meet.
#include "cli/distinctoutputs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/exceptions.h"
#include "platform/files/savetarget.h"
#include "platform/text/messagetext.h"

namespace vadidazid {

namespace {

using FileId = std::pair<dev_t, ino_t>;

// Where an output ends: its folder and final name, and the regular file there now.
// Terminals, pipes and /dev/null may well take two outputs, so they give no file.
struct Destination {
  std::optional<std::tuple<dev_t, ino_t, std::string>> place;
  std::optional<FileId> file;
};

std::optional<FileId> RegularFile(const struct stat& info) {
  if (!S_ISREG(info.st_mode)) return std::nullopt;
  return FileId{info.st_dev, info.st_ino};
}

std::optional<FileId> RegularFileOf(int descriptor) {
  struct stat info {};
  if (::fstat(descriptor, &info) != 0) return std::nullopt;
  return RegularFile(info);
}

Destination DestinationOf(const std::string& name) {
  Destination d;
  try {
    const SaveTarget target = SaveTarget::Resolve(name);
    if (target.descriptor >= 0) {
      d.file = RegularFileOf(target.descriptor);
      return d;
    }
    struct stat folder {
    }, info{};
    if (::fstat(target.directory, &folder) == 0) {
      d.place = std::make_tuple(folder.st_dev, folder.st_ino, target.base);
    }
    if (::fstatat(target.directory, target.base.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0) {
      d.file = RegularFile(info);
    }
  } catch (const Exception&) {
    // A name that cannot be resolved fails when its file is created, with the reason.
  }
  return d;
}

std::string NormalPath(const std::string& name) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(name, error);
  return error ? name : absolute.lexically_normal().string();
}

struct NamedOutput {
  std::string option;
  std::string name;
  bool standardOutput;  // "-": written to standard output
  Destination destination;
};

bool SameOutput(const NamedOutput& a, const NamedOutput& b) {
  if (a.name == b.name) return true;
  if (a.standardOutput || b.standardOutput) return false;
  if (NormalPath(a.name) == NormalPath(b.name)) return true;
  const Destination &x = a.destination, &y = b.destination;
  return (x.place && x.place == y.place) || (x.file && x.file == y.file);
}

bool WritesStandardOutput(const RunnerOptions& o, bool experiment) {
  // A search reports on standard output, or on standard error when its rows go there.
  if (o.dimension) return o.outputs.results != "-";
  if (!experiment) return !o.out;
  const ExperimentOutputs& e = o.outputs;
  return e.summary || (!e.csv && !e.results && !o.plot) || e.csv == "-" || e.results == "-";
}

}  // namespace

void CheckDistinctOutputs(const RunnerOptions& o, bool experiment) {
  std::vector<NamedOutput> outputs;
  for (const GivenOutput& given : o.outputFiles) {
    const bool standard = given.dashIsStandardOutput && given.name == "-";
    outputs.push_back(
        {given.option, given.name, standard, standard ? Destination{} : DestinationOf(given.name)});
  }
  for (size_t i = 0; i < outputs.size(); ++i) {
    for (size_t k = i + 1; k < outputs.size(); ++k) {
      if (SameOutput(outputs[i], outputs[k])) {
        throw UsageError(outputs[i].option + " and " + outputs[k].option +
                         " write to the same file '" + MessageText(outputs[k].name) + "'");
      }
    }
  }
  const std::optional<FileId> standardOutput = RegularFileOf(STDOUT_FILENO);
  if (!standardOutput || !WritesStandardOutput(o, experiment)) return;
  for (const NamedOutput& output : outputs) {
    if (!output.standardOutput && output.destination.file == standardOutput) {
      throw UsageError(output.option + " and standard output write to the same file '" +
                       MessageText(output.name) + "'");
    }
  }
}

}  // namespace vadidazid
