// MainForm's Unicode view: switching between the page and the font's characters, the
// selection update of the view, the preview of any character, the list of blocks.
#include <algorithm>

#include "app/Settings.h"
#include "core/unicode/CharDescriptions.h"
#include "core/unicode/CharNames.h"
#include "fontbox/FontCharMap.h"
#include "grid/GridCells.h"
#include "core/HtmlFont.h"
#include "main/Main.h"
#include "core/unicode/CharMap.h"
#include "core/unicode/UnicodeNames.h"
#include "core/unicode/UnicodeSearch.h"
#include "core/unicode/UnicodeText.h"

namespace tessarin {
namespace {

// The first items of the list of blocks: the page, then the recently used characters.
constexpr const char* kPageItem = "Windows-1252";
constexpr const char* kRecentItem = "Recently used";
// The list's item of the first block.
constexpr int kFirstBlockItem = 2;

// What the name line says of a character the font does not draw: " (not in Arial)".
std::string NotInFont(const std::string& font) { return " (not in " + font + ")"; }

// The preview and the magnifier draw a character beyond the ANSI code page themselves:
// they are static controls of the ANSI kind, so in the Unicode view they are owner-drawn,
// and their parents (the panel, the form) hand the drawing to the form.
class PreviewPainter final : public ui::Control::MessageFilter {
 public:
  LRESULT FilterMessage(ui::Control& parent, UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_DRAWITEM) {
      auto* form = dynamic_cast<MainForm*>(&parent);
      if (!form) form = dynamic_cast<MainForm*>(ui::Control::FromHandle(GetParent(parent.Handle())));
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      for (ui::Label* label : {form ? &form->previewLabel : nullptr, form ? &form->magnifier : nullptr})
        if (label && draw->hwndItem == label->Handle()) {
          Paint(*form, *label, *draw);
          return TRUE;
        }
    }
    return parent.PassOn(this, msg, wParam, lParam);
  }

 private:
  static void Paint(MainForm& form, ui::Label& label, const DRAWITEMSTRUCT& draw) {
    const ui::Brush background(CreateSolidBrush(ui::ResolveColor(label.Color())));
    FillRect(draw.hDC, &draw.rcItem, background);
    if (!form.InUnicodeView()) return;
    const char32_t cp = form.SelectedCodePoint();
    HFONT font = label.GetFont().Handle();
    unsigned glyph = FontCharMapOf(font)->GlyphOf(cp);
    // A character the font lacks is drawn from an installed font that has it, at the same
    // size and style; the preview names that font.
    ui::GdiFont other;
    const std::string face = glyph ? std::string() : form.PreviewFace();
    if (!face.empty()) {
      LOGFONTA lf{};
      GetObjectA(font, sizeof lf, &lf);
      lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
      lf.lfCharSet = DEFAULT_CHARSET;
      other.Reset(CreateFontIndirectA(&lf));
      if (other) {
        font = other;
        glyph = FontCharMapOf(font)->GlyphOf(cp);
      }
    }
    if (!glyph) return;  // no font draws it: the preview stays empty, as the cell
    SetBkMode(draw.hDC, TRANSPARENT);
    {
      const ui::SelectObjectScope selected(draw.hDC, font);
      SetTextColor(draw.hDC, ui::ResolveColor(label.GetFont().Color()));
      DrawCodePoint(draw.hDC, cp, glyph, draw.rcItem);
    }
    if (face.empty() || &label != &form.previewLabel) return;
    const ui::SelectObjectScope small(draw.hDC, form.nameLabel.GetFont().Handle());
    SetTextColor(draw.hDC, GetSysColor(COLOR_GRAYTEXT));
    RECT corner = draw.rcItem;
    InflateRect(&corner, -label.Scale(2), 0);
    DrawTextA(draw.hDC, face.c_str(), static_cast<int>(face.size()), &corner,
              DT_SINGLELINE | DT_BOTTOM | DT_RIGHT | DT_NOPREFIX | DT_END_ELLIPSIS);
  }
};

PreviewPainter previewPainter;

// The width of an ASCII text in a label's font.
int TextWidth(ui::Label& label, const std::string& text) {
  const std::wstring wide(text.begin(), text.end());
  const ui::WindowDC dc(label.Handle());
  const ui::SelectObjectScope font(dc, label.GetFont().Handle());
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.data(), static_cast<int>(wide.size()), &size);
  return size.cx;
}

// Moves a label so that its right edge stands at `right`, keeping its size.
void SetRight(ui::Label& label, int right) {
  label.SetBounds({right - label.Width(), label.Top(), label.Width(), label.Height()});
}

void SetOwnerDrawn(ui::Label& label, bool on) {
  const LONG style = GetWindowLongA(label.Handle(), GWL_STYLE);
  SetWindowLongA(label.Handle(), GWL_STYLE, (style & ~SS_TYPEMASK) | (on ? SS_OWNERDRAW : SS_CENTER));
  InvalidateRect(label.Handle(), nullptr, TRUE);
}

}  // namespace

bool MainForm::InUnicodeView() const { return grid.UnicodeView(); }

char32_t MainForm::SelectedCodePoint() const {
  if (InUnicodeView()) return unicodeSelected_;
  return unicode::FromWindows1252(CodeOfCell(SelectedCol, SelectedRow));
}

void MainForm::WireUnicodeView() {
  panel.AddMessageFilter(&previewPainter);
  AddMessageFilter(&previewPainter);
  viewBox.SetItems({kPageItem, kRecentItem}, 0);
  viewBox.OnEnter = [this] { FillBlocks(); };
  viewBox.OnChange = [this] { ViewBoxChange(); };
  grid.OnTopRowChange = [this] { ShowBlockOfTopRow(); };
  // The find field: a match on the page shows the page; the search covers every named
  // character of Unicode, and within each of its classes what the page and the font show
  // comes before what the font lacks.
  findField.OnFound = [this, inPage = findField.OnFound](unsigned char code) {
    if (InUnicodeView()) ShowPage();
    if (inPage) inPage(code);
  };
  findField.FindBeyond = [this](const std::string& query) {
    const auto map = FontCharMapOf(grid.GetFont().Handle());
    return unicode::UnicodeSearch::Instance().FindAll(
        query, [&map](char32_t cp) { return unicode::Windows1252Byte(cp) >= 32 || map->Has(cp); },
        RecentlyUsed().Chars());
  };
  findField.OnFoundBeyond = [this](char32_t cp) { FoundCodePoint(cp); };
  fontsLabel.OnMouseUp = [this](ui::MouseButton button, ui::ShiftState, int, int) {
    if (button == ui::MouseButton::Left) ShowInFontWithSelected();
  };
}

void MainForm::DescribeInPage(unsigned char code) { ShowCharName(CharName(code)); }

void MainForm::ShowCharName(const std::string& name) {
  nameLabel.SetText(name);
  RECT room;
  GetClientRect(nameLabel.Handle(), &room);
  nameTip.SetText(TextWidth(nameLabel, name) > room.right ? name : std::string());
}

void MainForm::UnicodeSelectCell(int ACol, int ARow) {
  const char32_t cp = grid.CodePointAt(ACol, ARow);
  if (cp == 0) return DescribeNothing();  // past the end of the recently used characters
  DescribeCodePoint(cp);
}

void MainForm::DescribeCodePoint(char32_t cp) {
  unicodeSelected_ = cp;
  const int byte = unicode::Windows1252Byte(cp);
  keyLabel.SetText(byte >= 32 ? KeyText(static_cast<unsigned char>(byte)) : std::string());
  codeLabel.SetText(unicode::CodePointText(cp));
  // A character the page has reads as it does there, and as its copies and drags carry it.
  entityLabel.SetText(HtmlOfCodePoint(cp));
  std::string name = unicode::CharName(cp);
  if (name.empty()) name = unicode::CodePointText(cp);
  if (!grid.CharMap()->Has(cp)) name += NotInFont(grid.GetFont().Name());
  ShowCharName(name);
  ShowFontsWith(cp);
  // The preview draws the code point itself; its text keeps what the page's readers of
  // it (drag and drop, the mouse-button actions) can carry: the character's byte where
  // the page has it, else nothing.
  previewLabel.SetText(byte >= 32 ? std::string(1, static_cast<char>(byte)) : std::string());
  InvalidateRect(previewLabel.Handle(), nullptr, TRUE);
  ArrangeDescriptionRow();
}

void MainForm::ArrangeDescriptionRow() {
  // The Unicode view's texts are longer than the page's ("U+1F600", "&#128512;"): the
  // HTML text takes its own width left of its right edge, the key and the code stand
  // left of it, so that none covers another or "Key:".
  const Bounds& design = kMainDesign.entityLabel;
  const int right = Scale(design.left + design.width);
  const int width = TextWidth(entityLabel, entityLabel.Text());
  entityLabel.SetBounds({right - width, entityLabel.Top(), width, entityLabel.Height()});
  const int keyRight = right - width - Scale(4);
  SetRight(keyLabel, keyRight);
  SetRight(codeLabel, (keyLabel.Text().empty() ? keyRight : keyLabel.Left()) - Scale(4));
}

void MainForm::RestoreDescriptionRow() {
  // The page's own places: the labels keep their right edges as their texts change.
  for (auto [label, design] :
       {std::pair{&codeLabel, kMainDesign.codeLabel}, std::pair{&keyLabel, kMainDesign.keyLabel},
        std::pair{&entityLabel, kMainDesign.entityLabel}}) {
    const Bounds place = Scale(design);
    label->SetBounds({place.left, label->Top(), place.width, label->Height()});
  }
}

void MainForm::ShowPage() {
  if (!InUnicodeView()) return;
  grid.SetUnicodeView(false);
  SetOwnerDrawn(previewLabel, false);
  SetOwnerDrawn(magnifier, false);
  ArrangePreview(false);
  RestoreDescriptionRow();
  viewBox.SetItemIndex(0);
  // Back where the page's selection was, described again.
  grid.SelectCellAt(SelectedCol, SelectedRow);
  bool canSelect = true;
  GridSelectCell(SelectedCol, SelectedRow, canSelect);
}

void MainForm::EnterUnicodeView() {
  if (InUnicodeView()) return;
  // The page's selection stays where it is, for the way back.
  const std::uint8_t col = SelectedCol, row = SelectedRow;
  grid.SetUnicodeView(true);
  SelectedCol = col;
  SelectedRow = row;
  SetOwnerDrawn(previewLabel, true);
  SetOwnerDrawn(magnifier, true);
  ArrangePreview(true);
}

void MainForm::ShowUnicodeAt(char32_t cp) {
  EnterUnicodeView();
  // Found or chosen in a block: among all of the font's characters.
  if (InRecentView()) grid.SetCodePointList(std::nullopt);
  grid.SelectCodePoint(cp);
  ShowBlockOfTopRow();
}

void MainForm::FillBlocks() {
  // The list goes with the face, not the name: a bold or italic face may draw other
  // characters than the regular one.
  auto map = FontCharMapOf(grid.GetFont().Handle());
  if (map == blocksMap_ && viewBox.Count() > kFirstBlockItem) return;
  blocksMap_ = std::move(map);
  const auto& rows = blocksMap_->Rows();
  std::vector<std::string> items{kPageItem, kRecentItem};
  listedBlocks_.clear();
  for (const unicode::Block& block : unicode::AllBlocks()) {
    // Blocks begin and end on rows: a block is listed when one of the font's rows lies in it.
    const auto it = std::lower_bound(rows.begin(), rows.end(), block.first);
    if (it == rows.end() || *it > block.last) continue;
    items.push_back(block.name);
    listedBlocks_.push_back(&block);
  }
  int index = 0;
  if (InRecentView())
    index = 1;
  else if (InUnicodeView() && grid.TotalRows() > 0)
    index =
        kFirstBlockItem + static_cast<int>(std::find(listedBlocks_.begin(), listedBlocks_.end(),
                                                     unicode::BlockOf(grid.CodePointAt(0, grid.TopRow()))) -
                                           listedBlocks_.begin());
  if (index >= kFirstBlockItem + static_cast<int>(listedBlocks_.size())) index = -1;
  viewBox.SetItems(items, index);
}

void MainForm::ViewBoxChange() {
  FillBlocks();
  const int index = viewBox.ItemIndex();
  if (index <= 0) return ShowPage();
  if (index == 1) return ShowRecentList();
  if (static_cast<size_t>(index - kFirstBlockItem) >= listedBlocks_.size()) return;
  const unicode::Block& block = *listedBlocks_[static_cast<size_t>(index - kFirstBlockItem)];
  // The block's first character that the font draws, its row on top.
  const auto map = FontCharMapOf(grid.GetFont().Handle());
  char32_t first = block.first;
  while (first < block.last && !map->Has(first)) ++first;
  ShowUnicodeAt(first);
  const int row = grid.RowOfCodePoint(first);
  if (row >= 0) grid.SetTopRow(row);
  viewBox.SetItemIndex(index);
}

void MainForm::ShowBlockOfTopRow() {
  if (!InUnicodeView()) return;
  FillBlocks();  // for the font the view shows now
  if (InRecentView()) return viewBox.SetItemIndex(1);
  const unicode::Block* block = unicode::BlockOf(grid.CodePointAt(0, grid.TopRow()));
  const auto it = std::find(listedBlocks_.begin(), listedBlocks_.end(), block);
  // A row outside every block (characters of no block yet) shows no block rather than the
  // one scrolled away from.
  viewBox.SetItemIndex(
      it != listedBlocks_.end() ? kFirstBlockItem + static_cast<int>(it - listedBlocks_.begin()) : -1);
}

void MainForm::AppendSelectedCodePoint() { AppendCodePoint(SelectedCodePoint()); }

void MainForm::FoundCodePoint(char32_t cp) {
  // A match on the page stays in the page.
  const int byte = unicode::Windows1252Byte(cp);
  if (byte >= 32) {
    if (InUnicodeView()) ShowPage();
    const GridCell cell = CellOfCode(static_cast<unsigned char>(byte));
    grid.SelectCellAt(cell.col, cell.row);
    return;
  }
  ShowUnicodeAt(cp);
  // A character the font lacks has no cell of its own: the grid stands nearby, and the
  // character is the one selected and described.
  if (unicodeSelected_ != cp) DescribeCodePoint(cp);
}

}  // namespace tessarin
