// The owning Variant: each value constructor makes its automation type, an
// object is held while a Variant holds it and let go when it is cleared.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "counted_dispatch.h"
#include "variant_win32.h"

namespace mz::client {
namespace {

TEST(Variant, EachValueMakesItsAutomationType) {
  EXPECT_EQ(Variant().type(), VT_EMPTY);
  EXPECT_EQ(Variant::null().type(), VT_NULL);

  const Variant number(int32_t{-70000});
  EXPECT_EQ(number.type(), VT_I4);
  EXPECT_EQ(V_I4(&*number), -70000);

  const Variant small(short{-7});
  EXPECT_EQ(small.type(), VT_I2);
  EXPECT_EQ(V_I2(&*small), -7);

  const Variant real(2.5);
  EXPECT_EQ(real.type(), VT_R8);
  EXPECT_EQ(V_R8(&*real), 2.5);

  // True is all bits set, as Visual Basic's True is -1.
  EXPECT_EQ(Variant(true).type(), VT_BOOL);
  EXPECT_EQ(V_BOOL(&*Variant(true)), VARIANT_TRUE);
  EXPECT_EQ(V_BOOL(&*Variant(false)), VARIANT_FALSE);

  const Variant text(L"ID_Browse");
  EXPECT_EQ(text.type(), VT_BSTR);
  EXPECT_STREQ(V_BSTR(&*text), L"ID_Browse");
  // A String counts its characters, so a NUL inside is kept.
  const Variant with_nul(std::wstring(L"a\0b", 3));
  EXPECT_EQ(SysStringLen(V_BSTR(&*with_nul)), 3u);

  const Variant missing = Variant::missing();
  EXPECT_EQ(missing.type(), VT_ERROR);
  EXPECT_EQ(V_ERROR(&*missing), DISP_E_PARAMNOTFOUND);

  BSTR variable = SysAllocString(L"by reference");
  const Variant reference = Variant::string_ref(&variable);
  EXPECT_EQ(reference.type(), VT_BSTR | VT_BYREF);
  EXPECT_EQ(V_BSTRREF(&*reference), &variable);
  SysFreeString(variable);
}

TEST(Variant, ConvertsForComparison) {
  EXPECT_EQ(Variant(L"1440").as_long(), 1440);
  EXPECT_EQ(Variant(true).as_long(), -1);
  EXPECT_EQ(Variant(int32_t{12}).as_text(), L"12");
  EXPECT_EQ(Variant(L"twelve").as_long(), LONG_MIN);
  EXPECT_EQ(Variant::null().as_text(), L"<not text>");
}

TEST(Variant, HoldsAnObjectUntilItIsCleared) {
  test::CountedDispatch object;
  {
    Variant held(&object);
    EXPECT_EQ(held.type(), VT_DISPATCH);
    EXPECT_EQ(held.object(), &object);
    EXPECT_EQ(object.refs, 2u);

    Variant copy = held;
    EXPECT_EQ(object.refs, 3u);
    copy = Variant(int32_t{1});  // replacing the value lets the object go
    EXPECT_EQ(object.refs, 2u);

    Variant moved = std::move(held);
    EXPECT_EQ(object.refs, 2u);
    EXPECT_EQ(held.type(), VT_EMPTY);
    EXPECT_EQ(moved.object(), &object);

    copy = moved;
    EXPECT_EQ(object.refs, 3u);
    moved = std::move(copy);  // the moved-over value is cleared
    EXPECT_EQ(object.refs, 2u);
  }
  EXPECT_EQ(object.refs, 1u);
  EXPECT_EQ(Variant(static_cast<IDispatch*>(nullptr)).object(), nullptr);
}

}  // namespace
}  // namespace mz::client
