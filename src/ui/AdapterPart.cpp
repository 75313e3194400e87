#include "AdapterPart.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "AdapterStatus.h"
#include "CurrentSettings.h"
#include "ProfileEditor.h"

TAdapterPart::TAdapterPart(IAdapterSource& adapters, TProfileEditor& editor,
                           TShowStatus showStatus)
    : adapters_(adapters), editor_(editor), showStatus_(std::move(showStatus)) {}

const TAdapterReading& TAdapterPart::StartReading() {
  if (!startReading_) startReading_ = adapters_.Read();
  return *startReading_;
}

void TAdapterPart::Showing() {
  if (startReading_) {
    showStatus_(AdapterStatusText(*startReading_, editor_.Lan()));
    startReading_.reset();
  } else {
    NameChanged(editor_.Lan());
  }
}

void TAdapterPart::FillAdapterList() {
  const TAdapterReading reading = adapters_.ReadNames();
  std::vector<std::string> names;
  names.reserve(reading.Adapters.size());
  for (const TAdapterState& adapter : reading.Adapters) names.push_back(adapter.FriendlyName);
  editor_.SetAdapterNames(names);
  if (!reading.Ok) showStatus_(AdapterStatusText(reading, editor_.Lan()));
}

void TAdapterPart::NameChanged(const std::string& name) {
  showStatus_(AdapterStatusText(adapters_.Read(), name));
}

void TAdapterPart::EntryShown(const TListEntry* entry) {
  if (entry == statusEntry_) return;
  statusEntry_ = entry;
  if (entry) NameChanged(editor_.Lan());
}

void TAdapterPart::ReadCurrentSettings() {
  const std::string name = editor_.Lan();
  const TAdapterReading reading = adapters_.Read();
  showStatus_(AdapterStatusText(reading, name));
  if (!reading.Ok) {
    throw std::runtime_error("The adapters could not be read: " + ReadingErrorText(reading));
  }
  const TAdapterState* adapter = FindAdapter(reading, name);
  if (!adapter) throw std::runtime_error("No adapter named \"" + name + "\" on this computer");
  TNetInfo values = CurrentSettings(*adapter);
  values.LAN = name;
  editor_.Load(values);
}
