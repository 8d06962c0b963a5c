#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "files_test_support.h"
#include "orqcarta/geomap/SymbolRepository.h"
#include "orqplatform/Exceptions.h"
#include "orqplatform/TextFile.h"

namespace orq {
namespace {

TSymbol Hut() {
  TSymbol s;
  s.Properties = {lmSquare, 9, 0xFF0000, 0x0000FF, true, -45, 12};
  s.Name = "Hut";
  s.Category = 3;
  return s;
}

TEST(SymbolRepository, CountsEntriesAndDefaults) {
  TSymbolRepository r;
  EXPECT_EQ(r.NumEntries(), 0);
  EXPECT_EQ(r.Capacity(), 1000);
  r.SetNEntries(3);
  EXPECT_EQ(r.Symbols(2), TSymbol{});  // all zero: kind lmPlus
  EXPECT_EQ(r.Symbols(2).Properties.Kind, lmPlus);
  EXPECT_EQ(r.Symbols(4), DefaultSymbolRecord());
  EXPECT_EQ(r.Symbols(0), DefaultSymbolRecord());
  r.SetSymbols(4, Hut());  // ignored
  r.SetSymbols(3, Hut());
  EXPECT_EQ(r.Symbols(3), Hut());
  r.SetNEntries(-1);
  EXPECT_EQ(r.NumEntries(), 3);
  r.SetNEntries(2);
  r.SetNEntries(3);
  EXPECT_EQ(r.Symbols(3), TSymbol{});  // a slot given back starts from zero
  r.SetSymbols(1, Hut());
  r.Clear();
  EXPECT_EQ(r.NumEntries(), 3);
  const TSymbol d = DefaultSymbolRecord();
  EXPECT_EQ(r.Symbols(1), d);
  EXPECT_EQ(d.Properties.Kind, lmCross);
  EXPECT_EQ(d.Properties.Size, 8);
  EXPECT_EQ(d.Properties.BGColor, 0x0000FFu);
  EXPECT_EQ(d.Properties.Direction, 90);
  EXPECT_EQ(d.Properties.Length, 40);
  TSymbol longName;
  longName.Name = std::string(50, 'n');
  EXPECT_EQ(longName.Name.str().size(), 40u);
}

TEST(SymbolRepository, BackupAndRestore) {
  TSymbolRepository r;
  r.Restore();  // without a backup: an empty list
  EXPECT_EQ(r.NumEntries(), 0);
  r.SetNEntries(2);
  r.SetSymbols(1, Hut());
  r.Backup();
  r.SetSymbols(1, DefaultSymbolRecord());
  r.SetNEntries(5);
  r.Restore();
  EXPECT_EQ(r.NumEntries(), 2);
  EXPECT_EQ(r.Symbols(1), Hut());
  EXPECT_EQ(r.Symbols(2), TSymbol{});
}

TEST(SymbolRepository, AssignSharesTablesUntilOneIsResized) {
  TSymbolRepository a;
  a.SetNEntries(2);
  {
    auto b = std::make_unique<TSymbolRepository>();
    b->Assign(&a);
    EXPECT_EQ(b->NumEntries(), 2);
    b->SetSymbols(1, Hut());
    EXPECT_EQ(a.Symbols(1), Hut());  // shared
    b->SetNEntries(3);               // b takes a table of its own
    b->SetSymbols(2, Hut());
    EXPECT_EQ(a.Symbols(2), TSymbol{});
    EXPECT_EQ(b->Symbols(1), Hut());
    TSymbolRepository c;
    b->AssignTo(&c);
    EXPECT_EQ(c.NumEntries(), 3);
  }  // b is gone; a's table is still its own
  a.SetSymbols(2, Hut());
  EXPECT_EQ(a.Symbols(2), Hut());
  TBitmap notARepository;
  EXPECT_THROW(a.Assign(&notARepository), EConvertError);
}

const std::string Palette = CrLf({
    "<?xml version=\"1.0\"?>",
    "",
    "<!-- TGeoMap Landmark Repository / Orq Component Suite -->",
    "<lmsymbols sig=\"OrqCSuite\" vers=\"1.0\" id=\"pal\">",
    "<symbol element=\"Square\" name=\"Hut\" category=\"3\" colorfg=\"00FF0000\" colorbg=\"000000FF\" size=\"9\" "
    "transp=\"TRUE\" dir=\"-45\" leng=\"12\" />",
    "<symbol element=\"Plus\" name=\"\" category=\"0\" colorfg=\"00000000\" colorbg=\"00000000\" size=\"0\" "
    "transp=\"FALSE\" dir=\"0\" leng=\"0\" />",
    "<symbol element=\"User-Defined\" name=\"Mine\" category=\"-2\" colorfg=\"00ABCDEF\" colorbg=\"00000001\" "
    "size=\"1\" transp=\"FALSE\" dir=\"2\" leng=\"3\" />",
    "</lmsymbols>",
});

TEST(SymbolRepository, StoresByteExactAndReadsBack) {
  TScratchDir dir;
  TSymbolRepository r;
  r.SetNEntries(3);
  r.SetSymbols(1, Hut());
  TSymbol mine;
  mine.Properties = {lmUserDef, 1, 0xABCDEF, 1, false, 2, 3};
  mine.Name = "Mine";
  mine.Category = -2;
  r.SetSymbols(3, mine);
  r.StoreOnFile(dir.File("pal.xml"), "pal");
  EXPECT_EQ(ReadBytes(dir.File("pal.xml")), Palette);

  TSymbolRepository back;
  back.Backup();
  ASSERT_TRUE(back.LoadFromFile(dir.File("pal.xml"), "PAL"));
  EXPECT_EQ(back.NumEntries(), 3);
  EXPECT_EQ(back.Symbols(1), Hut());
  TSymbol plusAsCross;
  plusAsCross.Properties.Kind = lmCross;
  EXPECT_EQ(back.Symbols(2), plusAsCross);
  mine.Properties.Kind = lmCross;
  EXPECT_EQ(back.Symbols(3), mine);
  back.Restore();  // the backup was not touched by reading
  EXPECT_EQ(back.NumEntries(), 0);

  EXPECT_FALSE(back.LoadFromFile(dir.File("pal.xml"), "other"));
  EXPECT_FALSE(back.LoadFromFile(dir.File("none.xml"), ""));
  EXPECT_THROW(r.StoreOnFile(dir.File("no/such/dir/x.xml"), ""), EInOutError);
}

TEST(SymbolRepository, ReadingManySymbolsGrowsTheTable) {
  TScratchDir dir;
  std::string text = "<lmsymbols sig=\"OrqCSuite\">\n";
  for (int i = 0; i < 1001; ++i) text += "<symbol element=\"circle\" size=\"" + std::to_string(i) + "\"/>\n";
  text += "</lmsymbols>\n<symbol size=\"-1\"/>\n";  // "/lmsymbols" does not end the reading
  WriteBytes(dir.File("many.xml"), text);
  TSymbolRepository r;
  ASSERT_TRUE(r.LoadFromFile(dir.File("many.xml"), ""));
  EXPECT_EQ(r.NumEntries(), 1002);
  EXPECT_EQ(r.Capacity(), 2001);
  EXPECT_EQ(r.Symbols(1001).Properties.Size, 1000);
  EXPECT_EQ(r.Symbols(1002).Properties.Size, -1);
  EXPECT_EQ(r.Symbols(1).Properties.Kind, lmCircle);
}

}  // namespace
}  // namespace orq

namespace orq {
namespace {

// A symbol file is the palette landmark tags point into: tags inside the
// repository take their entry's symbol, others keep theirs.
TEST(SymbolPalette, TagsInsideTheRepositoryTakeTheirEntrysSymbol) {
  TSymbolRepository symbols;
  symbols.SetNEntries(2);
  TSymbol square = symbols.GetValues(2);
  square.Properties.Kind = lmSquare;
  square.Properties.Size = 12;
  square.Properties.FGColor = 0x00FF00;
  symbols.SetValues(2, square);

  TGeoMap map;
  map.CreateEmptyMapInMemory(40, 0, 50, 20, 2, 2, 400, 200, true);
  for (int tag : {2, 0, 3, 2}) {
    TLandMark lm;
    lm.Latitude = 45;
    lm.Longitude = 10;
    lm.Tag = tag;
    lm.SymbolProps.Kind = lmCircle;
    map.AddLandMarkRecord(lm);
  }
  EXPECT_EQ(ApplySymbolPalette(map, symbols), 2);
  EXPECT_EQ(map.GetLandMarkData(1).SymbolProps, square.Properties);
  EXPECT_EQ(map.GetLandMarkData(4).SymbolProps, square.Properties);
  EXPECT_EQ(map.GetLandMarkData(2).SymbolProps.Kind, lmCircle);  // tag 0: no entry
  EXPECT_EQ(map.GetLandMarkData(3).SymbolProps.Kind, lmCircle);  // tag 3: beyond the palette
  EXPECT_FALSE(map.SuppressPaint());
}

}  // namespace
}  // namespace orq
