#pragma once
// A picture the control keeps for the host (a tool's four pictures): the
// platform's picture object behind a shared reference. The model copies,
// drops and tests it for presence; only the platform layer looks inside.
#include <memory>

namespace mz {

class PictureObject {
 public:
  virtual ~PictureObject() = default;
};

using PictureRef = std::shared_ptr<const PictureObject>;

}  // namespace mz
