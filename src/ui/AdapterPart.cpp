#include "AdapterPart.h"

#include <stdexcept>
#include <utility>
#include <vector>

#include "AdapterStatus.h"
#include "CurrentSettings.h"
#include "ProfileAdapter.h"
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
    Show(AdapterStatusText(*startReading_, editor_.Adapter()));
    startReading_.reset();
  } else {
    Show(AdapterStatusText(adapters_.Read(), editor_.Adapter()));
  }
}

void TAdapterPart::FillAdapterList() {
  const TAdapterReading reading = adapters_.ReadNames();
  std::vector<std::string> names;
  names.reserve(reading.Adapters.size());
  for (const TAdapterState& adapter : reading.Adapters) names.push_back(adapter.FriendlyName);
  editor_.SetAdapterNames(names);
  if (!reading.Ok) Show(AdapterStatusText(reading, editor_.Adapter()));
}

void TAdapterPart::NameChanged(const std::string& name) {
  TNetInfo named;
  named.LAN = name;
  Show(AdapterStatusText(adapters_.Read(), named));
}

void TAdapterPart::AdapterPicked(const std::string& name) {
  TNetInfo picked;
  picked.LAN = name;
  const TAdapterReading reading = adapters_.Read();
  if (const TAdapterState* adapter = FindProfileAdapter(reading, picked).Adapter) {
    BindToAdapter(picked, *adapter);
    editor_.SetAdapter(picked);
  }
  Show(AdapterStatusText(reading, picked));
}

void TAdapterPart::EntryShown(const TListEntry* entry) {
  if (entry == statusEntry_) return;
  statusEntry_ = entry;
  if (entry) Show(AdapterStatusText(adapters_.Read(), editor_.Adapter()));
}

TAdapterState TAdapterPart::ReadCurrentSettings() {
  const TNetInfo named = editor_.Adapter();
  const TAdapterReading reading = adapters_.Read();
  Show(AdapterStatusText(reading, named));
  if (!reading.Ok) {
    throw std::runtime_error("The adapters could not be read: " + ReadingErrorText(reading));
  }
  const TProfileAdapter found = FindProfileAdapter(reading, named);
  if (!found.Adapter)
    throw std::runtime_error("No adapter named \"" + named.LAN + "\" on this computer");
  TNetInfo values = CurrentSettings(*found.Adapter);
  // A renamed adapter is known by its new name from now on; otherwise the name stays as the
  // user wrote it (netsh finds it so, and a name the code page cannot hold stays intact).
  if (found.How != TAdapterFinding::Renamed) values.LAN = named.LAN;
  editor_.LoadAdapterValues(values);
  return *found.Adapter;
}

void TAdapterPart::NetworkMayHaveChanged(const TAdapterReading& reading) {
  if (!statusEntry_) return;
  const std::string text = AdapterStatusText(reading, editor_.Adapter());
  if (text != shown_) Show(text);
}

void TAdapterPart::Show(const std::string& text) {
  shown_ = text;
  showStatus_(text);
}
