// Where the commands of a run confirm what they did ("zapisano dane do pliku: ...").
#pragma once

#include <string>

namespace vadidazid {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(const std::string& utf8) = 0;
};

}  // namespace vadidazid
