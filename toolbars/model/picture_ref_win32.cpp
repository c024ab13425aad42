#include "picture_ref_win32.h"

#include "com_ptr.h"

namespace mz::com {
namespace {

class ComPicture final : public PictureObject {
 public:
  explicit ComPicture(IPictureDisp* picture) : picture_(picture) {}
  IPictureDisp* get() const { return picture_.get(); }

 private:
  ComPtr<IPictureDisp> picture_;
};

}  // namespace

PictureRef picture_ref(IPictureDisp* picture) {
  return picture ? std::make_shared<const ComPicture>(picture) : nullptr;
}

IPictureDisp* picture_object(const PictureRef& ref) {
  const auto* held = dynamic_cast<const ComPicture*>(ref.get());
  return held ? held->get() : nullptr;
}

}  // namespace mz::com
