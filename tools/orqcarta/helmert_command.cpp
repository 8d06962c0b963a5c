// helmert: datum shifts between the built-in datums, given by number, name
// or EPSG code.
#include <CLI/CLI.hpp>
#include <memory>

#include "CatalogueLookup.h"
#include "Commands.h"
#include "ConversionSetup.h"
#include "DatumChoice.h"
#include "DatumEpsg.h"
#include "ErrorReport.h"
#include "PositionFields.h"

namespace orq::cli {

namespace {

// Record 211 holds the EPSG:1675 rotations with their published
// coordinate-frame signs, read here in the position-vector convention.
constexpr int PulkovoGermany = 211;

struct THelmertSetup {
  TConversionSetup Conversion;
  std::string From, To;
};

}  // namespace

void RegisterHelmertCommand(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<THelmertSetup>();
  CLI::App* command = AddCommand(
      App, Context, "helmert", "Datum shift of latitude/longitude/height between two of the 271 datums",
      [&Context, setup] {
        const TConversionSetup& s = setup->Conversion;
        const TDatumChoice source("--from", setup->From);
        const TDatumChoice target("--to", setup->To);
        auto warned = std::make_shared<bool>(false);
        TLineConverter convert = [&s, &source, &target, &Context, warned](std::vector<std::string_view>& fields,
                                                                          std::string& out) {
          CheckFieldCount(fields, 2, 3, "latitude longitude [height]");
          double latitude, longitude, height = 0;
          s.Angles.Read(fields[0], fields[1], latitude, longitude);
          if (fields.size() > 2) ReadNumbers(std::span(fields).subspan(2), 1, 1, "height", &height);
          const int from = source.For(latitude, longitude);
          const int to = target.For(latitude, longitude);
          if ((from == PulkovoGermany || to == PulkovoGermany) && !*warned) {
            *warned = true;
            ReportError(Context.Err, "helmert",
                        "warning: datum 211 PULKOVO 1942 (Germany) keeps the EPSG:1675 rotations with their "
                        "coordinate-frame signs but applies them as position-vector rotations; its positions "
                        "differ from EPSG:1675 by up to 16 m in Germany");
          }
          double latOut = 0, lonOut = 0, heightOut = 0;
          const int result = HelmertTransform(from, latitude, longitude, height, to, latOut, lonOut, heightOut);
          if (result != 0) throw EInputError("datum transformation failed (code " + std::to_string(result) + ")");
          s.Format.AppendPosition(out, latOut, lonOut);
          s.Format.AppendMetres(out, heightOut);
        };
        return RunSetup("helmert", s, convert, Context);
      });
  SetHelpText(*command,
              "Seven-parameter Helmert shift of a position from one datum to another.\n"
              "  LATITUDE LONGITUDE [HEIGHT]  ->  LATITUDE LONGITUDE HEIGHT (degrees, metres; HEIGHT default 0)\n"
              "Datums are given by number 1.." +
                  std::to_string(GeoDatumCount) +
                  " or by name, case-insensitive: WGS84 (269), WGS72 (268), ED50 (59, EUROPEAN DATUM 1950 (Europe)), "
                  "OSGB36 (183), a whole entry as 'orqcarta datums' prints it "
                  "(\"EUROPEAN DATUM 1950 (Europe)\"), a name, or a unique part of one. A name shared by several "
                  "entries is refused with the list of their numbers.\n"
                  "By EPSG code: EPSG:4230 (a geodetic CRS: every record of it) or EPSG:1133 (the transformation "
                  "to WGS 84 with the same parameters); EPSG:4326 is WGS 84. The short names NAD27, NAD83, AGD66, "
                  "AGD84, Tokyo, Pulkovo 1942 and S-42 stand for the records of their EPSG CRS. When a code or name "
                  "has several regional records, each position takes the record whose EPSG area of use contains "
                  "it, the smallest such area first (so a national record wins over a regional mean, and equal "
                  "areas go to the lower number); a position no record covers is a bad line. 'orqcarta datums "
                  "--json' shows each record's codes and area.\n"
                  "Record 211, PULKOVO 1942 (Germany), keeps its values: its rotations have the opposite sign "
                  "convention to EPSG:1675 and differ from it by up to 16 m in Germany (a warning says so)." +
                  std::string(InputHelp) + AngleHelp);
  AddPositionArgument(*command, setup->Conversion, "LATITUDE LONGITUDE [HEIGHT]");
  command->add_option("-f,--from", setup->From, "Datum of the input positions")->required()->type_name("DATUM");
  command->add_option("-t,--to", setup->To, "Datum of the output positions")->required()->type_name("DATUM");
  AddLineOptions(*command, setup->Conversion, true);
}

}  // namespace orq::cli
