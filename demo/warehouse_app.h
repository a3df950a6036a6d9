#pragma once

#include <carrowin/carrowin.h>

#include <cstddef>
#include <memory>
#include <string>

namespace carrowin::demo {

/// One line of the pick list: where to go, what to take, how many.
struct PickLine {
  std::u16string location;
  std::u16string item;
  size_t quantity;
};

/// The warehouse application on one terminal: a sign-on page, a menu and a
/// picking dialogue that walks the operator through the pick list. F1 asks
/// for help on every page, F2 goes back.
class WarehouseApp {
 public:
  /// Builds the pages on `terminal` (already initialised) and shows the
  /// sign-on page once the terminal reports it started.
  explicit WarehouseApp(std::shared_ptr<Terminal> terminal);

 private:
  void BuildSignOn();
  void BuildMenu();
  void BuildPicking();
  void StartPick();
  void CheckScan(std::u16string_view field, std::u16string_view expected, std::u16string_view next);
  void ConfirmQuantity();
  void FinishPick(std::u16string_view answer);
  /// The operator's mistake: the terminal buzzes and rings, the field opens again.
  void Refuse(Page& page, std::u16string_view field, std::u16string_view message);

  std::shared_ptr<Terminal> terminal_;
  std::shared_ptr<Page> signOn_;
  std::shared_ptr<Page> menu_;
  std::shared_ptr<Page> picking_;
  std::u16string user_;
  size_t line_ = 0;
};

}  // namespace carrowin::demo
