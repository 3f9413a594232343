// Controls that hold nothing: stand-ins for an ID a window does not have,
// and the controls of a dialog that only calculates.
#pragma once

#include <string>
#include <string_view>

#include "app/platform.h"

namespace qv {

class NullListView final : public IListView {
 public:
  void InsertColumn(int, std::string_view, int) override {}
  void DeleteColumn(int) override {}
  int GetColumnCount() const override { return 0; }
  int InsertItem(int, std::string_view) override { return -1; }
  void SetItemText(int, std::string_view) override {}
  void DeleteAllItems() override {}
  int GetFirstSelected() const override { return -1; }
  std::string GetItemText(int, int) const override { return {}; }
  int GetItemCount() const override { return 0; }
  int ClientWidth() const override { return 0; }
};

class NullComboBox final : public IComboBox {
 public:
  void AddString(std::string_view) override {}
  void SetCurSel(int) override {}
  int GetCurSel() const override { return -1; }
  int GetCount() const override { return 0; }
};

class NullText final : public ITextControl {
 public:
  std::string GetText() const override { return {}; }
  void SetText(std::string_view) override {}
};

}  // namespace qv
