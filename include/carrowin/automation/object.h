#pragma once

namespace carrowin {

/// Base of every object an application may hand the library as an opaque
/// automation object: the terminal's `Common` object, objects created through
/// the `ObjectFactoryRegistry`, object references held in a `Variant`.
class Object {
 public:
  virtual ~Object() = default;
};

}  // namespace carrowin
