// The grid's accessible object in the program's own process: a client that keeps it after
// the grid has gone is told, whatever it asks, that the object is no longer connected.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <memory>
#include <utility>

#include "grid/CharGrid.h"
#include "tests/support/MainWindowFixture.h"
#include "ui/ShellLibraries.h"
#include "ui/SystemLibraries.h"

namespace {

using testing_support::MainWindowTest;
using GridAccessibleObject = MainWindowTest;

VARIANT Child(long id) {
  VARIANT v{};
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

TEST_F(GridAccessibleObject, KeptAfterTheGridHasGoneAnswersThatItIsNoLongerConnected) {
  decltype(&::AccessibleObjectFromWindow) fromWindow;
  decltype(&::SysFreeString) freeString;
  ASSERT_TRUE(ui::LoadProc(ui::LoadSystemLibrary("oleacc.dll"), fromWindow, "AccessibleObjectFromWindow"));
  ASSERT_TRUE(ui::LoadProc(ui::LoadSystemLibrary("oleaut32.dll"), freeString, "SysFreeString"));
  auto grid = std::make_unique<tessarin::CharGrid>(&form->panel, ui::Bounds{0, 0, 200, 200});
  IAccessible* object = nullptr;
  ASSERT_EQ(fromWindow(grid->Handle(), OBJID_CLIENT, IID_IAccessible, reinterpret_cast<void**>(&object)),
            S_OK);
  ASSERT_NE(object, nullptr);

  const VARIANT cell = Child(97);
  const auto text = [&](HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
    return [&, get] {
      BSTR s = nullptr;
      const HRESULT hr = (object->*get)(cell, &s);
      freeString(s);
      return hr;
    };
  };
  VARIANT out;
  long count = 0, left, top, width, height;
  const std::pair<const char*, std::function<HRESULT()>> calls[] = {
      {"name", text(&IAccessible::get_accName)},
      {"value", text(&IAccessible::get_accValue)},
      {"description", text(&IAccessible::get_accDescription)},
      {"default action", text(&IAccessible::get_accDefaultAction)},
      {"role", [&] { return object->get_accRole(cell, &out); }},
      {"state", [&] { return object->get_accState(cell, &out); }},
      {"child count", [&] { return object->get_accChildCount(&count); }},
      {"selection", [&] { return object->get_accSelection(&out); }},
      {"location", [&] { return object->accLocation(&left, &top, &width, &height, cell); }},
      {"navigate", [&] { return object->accNavigate(NAVDIR_NEXT, cell, &out); }},
      {"select", [&] { return object->accSelect(SELFLAG_TAKESELECTION, cell); }},
  };
  for (const auto& [what, call] : calls) EXPECT_EQ(call(), S_OK) << what;
  grid.reset();
  for (const auto& [what, call] : calls) EXPECT_EQ(call(), CO_E_OBJNOTCONNECTED) << what;
  object->Release();
}

}  // namespace
