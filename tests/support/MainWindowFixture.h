// The shared fixture of the in-process tests of the main window: the program's three
// forms, errors that fail the test, waits through the application's own message path,
// and the clipboard as another program sees it.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "options/OptionsDialog.h"
#include "main/Main.h"
#include "websafe/Websafe.h"

namespace testing_support {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Handles messages through the application's loop (its dialog keys and shortcuts
  // included) until the condition holds; false when the time ran out.
  bool WaitUntil(const std::function<bool()>& condition,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
  // Handles what is queued now, and what that posts in turn, until this thread's queue holds
  // nothing but timers (injected input is in the queue once SendInput has returned, under
  // Wine). False when it never fell quiet.
  bool Settle();
  // Injected input has been handled: a key that nothing in the program answers follows it
  // into the queue, and messages are handled until that key has come through. Before the
  // check of something that must not happen. Needs the keyboard focus in this thread.
  bool InputHandled();

  // Keys as a user types them (SendInput to the foreground window), then settled.
  void PressKeys(const std::vector<std::pair<WORD, bool>>& events);
  // Presses and releases each key in turn, with the modifiers held around all of them.
  void Keys(std::initializer_list<WORD> keys, std::initializer_list<WORD> held = {});
  // A click through the platform's own button path (BM_CLICK), then settled.
  void Click(const ui::Control& control);
  // A choice in the list of views (the page, the recently used characters, the blocks), as
  // the control reports it to its parent; by name, the item's index, or -1 when none is named so.
  void Choose(int index);
  int IndexOfView(const std::string& name);
  // The find field opened with Ctrl+F if it is closed, then the query given as its text.
  void Find(const std::string& query);

  std::unique_ptr<tessarin::MainForm> form;
  std::unique_ptr<tessarin::PaletteDialog> palette;
  std::unique_ptr<tessarin::OptionsDialog> options;
  // Texts the error display would have shown. Unless expectErrors is set, each one
  // fails the test (instead of a modal box that would hang it).
  std::vector<std::string> errors;
  bool expectErrors = false;
};

// The key InputHandled sends after the input to be handled, one that nothing in the program
// answers, and a press and release of it (to the foreground window, as SendInput sends).
constexpr WORD kInputMarkKey = VK_F24;
void SendInputMark();

// The main window's controls that the layout tables place, by their names in the tables.
std::map<std::string, ui::Control*> MainControlsByName(tessarin::MainForm& form);

// The clipboard's content in a text format; empty when it holds none.
std::string ClipboardText(UINT format = CF_TEXT);
bool ClipboardHas(UINT format);
// Puts a text on the clipboard as CF_TEXT (or the given registered format).
void PutOnClipboard(const std::string& text, UINT format = CF_TEXT);

}  // namespace testing_support
