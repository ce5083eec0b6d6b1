// TForm1's Unicode view: switching between the page and the font's characters, the
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
      auto* form = dynamic_cast<TForm1*>(&parent);
      if (!form) form = dynamic_cast<TForm1*>(ui::Control::FromHandle(GetParent(parent.Handle())));
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      for (ui::Label* label : {form ? &form->Label1 : nullptr, form ? &form->mega_label : nullptr})
        if (label && draw->hwndItem == label->Handle()) {
          Paint(*form, *label, *draw);
          return TRUE;
        }
    }
    return parent.PassOn(this, msg, wParam, lParam);
  }

 private:
  static void Paint(TForm1& form, ui::Label& label, const DRAWITEMSTRUCT& draw) {
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
    if (face.empty() || &label != &form.Label1) return;
    const ui::SelectObjectScope small(draw.hDC, form.char_name.GetFont().Handle());
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

bool TForm1::InUnicodeView() const { return StringAlignGrid1.UnicodeView(); }

char32_t TForm1::SelectedCodePoint() const {
  if (InUnicodeView()) return unicodeSelected_;
  return unicode::FromWindows1252(CodeOfCell(SelectedCol, SelectedRow));
}

void TForm1::WireUnicodeView() {
  Panel1.AddMessageFilter(&previewPainter);
  AddMessageFilter(&previewPainter);
  BlockComboBox1.SetItems({kPageItem, kRecentItem}, 0);
  BlockComboBox1.OnEnter = [this] { FillBlocks(); };
  BlockComboBox1.OnChange = [this] { BlockComboBox1Change(); };
  StringAlignGrid1.OnTopRowChange = [this] { ShowBlockOfTopRow(); };
  // The find field: a match on the page shows the page; the search covers every named
  // character of Unicode, and within each of its classes what the page and the font show
  // comes before what the font lacks.
  FindField1.OnFound = [this, inPage = FindField1.OnFound](unsigned char code) {
    if (InUnicodeView()) ShowPage();
    if (inPage) inPage(code);
  };
  FindField1.FindBeyond = [this](const std::string& query) {
    const auto map = FontCharMapOf(StringAlignGrid1.GetFont().Handle());
    return unicode::UnicodeSearch::Instance().FindAll(
        query, [&map](char32_t cp) { return unicode::Windows1252Byte(cp) >= 32 || map->Has(cp); },
        RecentlyUsed().Chars());
  };
  FindField1.OnFoundBeyond = [this](char32_t cp) { FoundCodePoint(cp); };
  char_fonts.OnMouseUp = [this](ui::MouseButton button, ui::ShiftState, int, int) {
    if (button == ui::MouseButton::Left) ShowInFontWithSelected();
  };
}

void TForm1::DescribeInPage(unsigned char code) { ShowCharName(CharName(code)); }

void TForm1::ShowCharName(const std::string& name) {
  char_name.SetText(name);
  RECT room;
  GetClientRect(char_name.Handle(), &room);
  CharNameTip.SetText(TextWidth(char_name, name) > room.right ? name : std::string());
}

void TForm1::UnicodeSelectCell(int ACol, int ARow) {
  const char32_t cp = StringAlignGrid1.CodePointAt(ACol, ARow);
  if (cp == 0) return DescribeNothing();  // past the end of the recently used characters
  DescribeCodePoint(cp);
}

void TForm1::DescribeCodePoint(char32_t cp) {
  unicodeSelected_ = cp;
  const int byte = unicode::Windows1252Byte(cp);
  Tast.SetText(byte >= 32 ? KeyText(static_cast<unsigned char>(byte)) : std::string());
  num.SetText(unicode::CodePointText(cp));
  // A character the page has reads as it does there, and as its copies and drags carry it.
  html_char.SetText(HtmlOfCodePoint(cp));
  std::string name = unicode::CharName(cp);
  if (name.empty()) name = unicode::CodePointText(cp);
  if (!StringAlignGrid1.CharMap()->Has(cp)) name += NotInFont(StringAlignGrid1.GetFont().Name());
  ShowCharName(name);
  ShowFontsWith(cp);
  // The preview draws the code point itself; its text keeps what the page's readers of
  // it (drag and drop, the mouse-button actions) can carry: the character's byte where
  // the page has it, else nothing.
  Label1.SetText(byte >= 32 ? std::string(1, static_cast<char>(byte)) : std::string());
  InvalidateRect(Label1.Handle(), nullptr, TRUE);
  ArrangeDescriptionRow();
}

void TForm1::ArrangeDescriptionRow() {
  // The Unicode view's texts are longer than the page's ("U+1F600", "&#128512;"): the
  // HTML text takes its own width left of its right edge, the key and the code stand
  // left of it, so that none covers another or "Key:".
  const Bounds& design = kMainDesign.htmlChar;
  const int right = Scale(design.left + design.width);
  const int width = TextWidth(html_char, html_char.Text());
  html_char.SetBounds({right - width, html_char.Top(), width, html_char.Height()});
  const int keyRight = right - width - Scale(4);
  SetRight(Tast, keyRight);
  SetRight(num, (Tast.Text().empty() ? keyRight : Tast.Left()) - Scale(4));
}

void TForm1::RestoreDescriptionRow() {
  // The page's own places: the labels keep their right edges as their texts change.
  for (auto [label, design] : {std::pair{&num, kMainDesign.num}, std::pair{&Tast, kMainDesign.tast},
                               std::pair{&html_char, kMainDesign.htmlChar}}) {
    const Bounds place = Scale(design);
    label->SetBounds({place.left, label->Top(), place.width, label->Height()});
  }
}

void TForm1::ShowPage() {
  if (!InUnicodeView()) return;
  StringAlignGrid1.SetUnicodeView(false);
  SetOwnerDrawn(Label1, false);
  SetOwnerDrawn(mega_label, false);
  ArrangePreview(false);
  RestoreDescriptionRow();
  BlockComboBox1.SetItemIndex(0);
  // Back where the page's selection was, described again.
  StringAlignGrid1.SelectCellAt(SelectedCol, SelectedRow);
  bool canSelect = true;
  StringAlignGrid1SelectCell(SelectedCol, SelectedRow, canSelect);
}

void TForm1::EnterUnicodeView() {
  if (InUnicodeView()) return;
  // The page's selection stays where it is, for the way back.
  const std::uint8_t col = SelectedCol, row = SelectedRow;
  StringAlignGrid1.SetUnicodeView(true);
  SelectedCol = col;
  SelectedRow = row;
  SetOwnerDrawn(Label1, true);
  SetOwnerDrawn(mega_label, true);
  ArrangePreview(true);
}

void TForm1::ShowUnicodeAt(char32_t cp) {
  EnterUnicodeView();
  // Found or chosen in a block: among all of the font's characters.
  if (InRecentView()) StringAlignGrid1.SetCodePointList(std::nullopt);
  StringAlignGrid1.SelectCodePoint(cp);
  ShowBlockOfTopRow();
}

void TForm1::FillBlocks() {
  // The list goes with the face, not the name: a bold or italic face may draw other
  // characters than the regular one.
  auto map = FontCharMapOf(StringAlignGrid1.GetFont().Handle());
  if (map == blocksMap_ && BlockComboBox1.Count() > kFirstBlockItem) return;
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
  else if (InUnicodeView() && StringAlignGrid1.TotalRows() > 0)
    index = kFirstBlockItem + static_cast<int>(std::find(listedBlocks_.begin(), listedBlocks_.end(),
                                                         unicode::BlockOf(StringAlignGrid1.CodePointAt(
                                                             0, StringAlignGrid1.TopRow()))) -
                                               listedBlocks_.begin());
  if (index >= kFirstBlockItem + static_cast<int>(listedBlocks_.size())) index = -1;
  BlockComboBox1.SetItems(items, index);
}

void TForm1::BlockComboBox1Change() {
  FillBlocks();
  const int index = BlockComboBox1.ItemIndex();
  if (index <= 0) return ShowPage();
  if (index == 1) return ShowRecentList();
  if (static_cast<size_t>(index - kFirstBlockItem) >= listedBlocks_.size()) return;
  const unicode::Block& block = *listedBlocks_[static_cast<size_t>(index - kFirstBlockItem)];
  // The block's first character that the font draws, its row on top.
  const auto map = FontCharMapOf(StringAlignGrid1.GetFont().Handle());
  char32_t first = block.first;
  while (first < block.last && !map->Has(first)) ++first;
  ShowUnicodeAt(first);
  const int row = StringAlignGrid1.RowOfCodePoint(first);
  if (row >= 0) StringAlignGrid1.SetTopRow(row);
  BlockComboBox1.SetItemIndex(index);
}

void TForm1::ShowBlockOfTopRow() {
  if (!InUnicodeView()) return;
  FillBlocks();  // for the font the view shows now
  if (InRecentView()) return BlockComboBox1.SetItemIndex(1);
  const unicode::Block* block = unicode::BlockOf(StringAlignGrid1.CodePointAt(0, StringAlignGrid1.TopRow()));
  const auto it = std::find(listedBlocks_.begin(), listedBlocks_.end(), block);
  // A row outside every block (characters of no block yet) shows no block rather than the
  // one scrolled away from.
  BlockComboBox1.SetItemIndex(
      it != listedBlocks_.end() ? kFirstBlockItem + static_cast<int>(it - listedBlocks_.begin()) : -1);
}

void TForm1::AppendSelectedCodePoint() { AppendCodePoint(SelectedCodePoint()); }

void TForm1::FoundCodePoint(char32_t cp) {
  // A match on the page stays in the page.
  const int byte = unicode::Windows1252Byte(cp);
  if (byte >= 32) {
    if (InUnicodeView()) ShowPage();
    const GridCell cell = CellOfCode(static_cast<unsigned char>(byte));
    StringAlignGrid1.SelectCellAt(cell.col, cell.row);
    return;
  }
  ShowUnicodeAt(cp);
  // A character the font lacks has no cell of its own: the grid stands nearby, and the
  // character is the one selected and described.
  if (unicodeSelected_ != cp) DescribeCodePoint(cp);
}

}  // namespace tessarin
