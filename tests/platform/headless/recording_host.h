#pragma once
// The test driver with a recorder attached for its whole life, for tests that read what the
// host saw: the host's own calls, plus the recorder's records and sent keys.
#include <string>
#include <vector>

#include "platform/headless/headless_host.h"
#include "platform/headless/recorder.h"

namespace fw::test {

class RecordingHost : public headless::HeadlessHost {
 public:
  using HeadlessHost::HeadlessHost;

  const std::vector<headless::Record>& Records() const { return recorder_.Records(); }
  std::vector<headless::Record> RecordsOf(headless::Record::Kind kind) const {
    return recorder_.RecordsOf(kind);
  }
  void ClearRecords() { recorder_.Clear(); }
  const std::vector<std::string>& SentKeys() const { return recorder_.SentKeys(); }

 private:
  headless::Recorder recorder_{*this};
};

}  // namespace fw::test
