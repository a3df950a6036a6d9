#pragma once

#include <memory>
#include <string_view>

#include "carrowin/automation/object.h"
#include "carrowin/automation/variant.h"
#include "carrowin/host/object_settings.h"

namespace carrowin {

class Terminal;

/// The transaction interpreter a terminal starts when the connection sends
/// "Init Interpreter": an outside component that takes over the terminal's
/// dialogue. The terminal creates it by the programmatic identifier
/// `kProgID` through the object-factory registry, so an application
/// provides one by registering a factory:
///
///     carrowin::ObjectFactoryRegistry::Process().Register(
///         carrowin::TransactionInterpreter::kProgID,
///         [] { return std::make_shared<MyInterpreter>(); });
class TransactionInterpreter : public Object {
 public:
  static constexpr std::u16string_view kProgID = u"CarrowinInterpreter.Interpreter";

  /// Binds the interpreter to its terminal. It may replace `settings`; the
  /// terminal then keeps the replacement as its settings record.
  virtual void Initialize(const std::shared_ptr<Terminal>& terminal,
                          std::shared_ptr<ObjectSettings>& settings) = 0;
  /// Loads the named transaction set; a result that converts to False means
  /// it could not.
  virtual Variant LoadTransactionSet(std::u16string_view name) = 0;
};

}  // namespace carrowin
