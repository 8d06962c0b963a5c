// mgrs: positions to military grid references and back.
#include <CLI/CLI.hpp>
#include <memory>

#include "Commands.h"
#include "ConversionSetup.h"
#include "ErrorReport.h"
#include "Mgrs.h"
#include "PositionFields.h"

namespace orq::cli {

namespace {
struct TMgrsSetup {
  TConversionSetup Conversion;
  int Resolution = 1;  // metres
};

int DigitsFor(int Resolution) {
  int digits = MgrsMaxDigits;
  for (int r = 1; r < Resolution; r *= 10) --digits;
  return digits;
}
}  // namespace

void RegisterMgrsCommand(CLI::App& App, TCliContext& Context) {
  auto setup = std::make_shared<TMgrsSetup>();
  CLI::App* command = AddCommand(
      App, Context, "mgrs", "Latitude/longitude <-> military grid reference (MGRS)", [&Context, setup] {
        const TMgrsSetup& m = *setup;
        const TConversionSetup& s = m.Conversion;
        const int digits = DigitsFor(m.Resolution);
        TLineConverter convert;
        if (!s.Inverse) {
          convert = [&s, digits](std::vector<std::string_view>& fields, std::string& out) {
            CheckFieldCount(fields, 2, 2, "latitude longitude");
            double latitude, longitude;
            s.Angles.Read(fields[0], fields[1], latitude, longitude);
            out += MgrsForward(latitude, WrapLongitude(longitude), s.Ellipsoid, digits);
          };
        } else {
          convert = [&s](std::vector<std::string_view>& fields, std::string& out) {
            if (fields.empty() || fields.size() > 3)
              throw EInputError("expected one MGRS reference, got " + std::to_string(fields.size()) + " fields");
            // "33UUU 91390 17855" arrives as three fields.
            std::string reference;
            for (std::string_view f : fields) reference += f;
            const TMgrsPosition p = MgrsReverse(reference, s.Ellipsoid);
            s.Format.AppendPosition(out, p.Latitude, p.Longitude);
          };
        }
        return RunSetup("mgrs", s, convert, Context);
      });
  SetHelpText(*command,
              "Geographic position to a military grid reference and back.\n"
              "  forward:   LATITUDE LONGITUDE  ->  REFERENCE, e.g. '52.5 13.4' -> '33UUU9139017855'\n"
              "  --inverse: REFERENCE  ->  LATITUDE LONGITUDE of the centre of its square\n"
              "A reference is the UTM zone (two digits) and latitude band, or the polar band A, B (south), Y, Z "
              "(north), then the letters of the 100 km square and as many easting digits as northing digits "
              "(--resolution 1 m: 5 each, 100 km: none). Forward references truncate, so they name the square "
              "that contains the position. UTM covers -80 up to, not including, 84 (band X is 12 degrees, "
              "72..84), with the Norway and Svalbard zones; UPS covers the rest, as in GeographicLib. Inverse "
              "accepts lower case and blanks inside the reference (\"33UUU 91390 17855\")." +
                  std::string(InputHelp) + AngleHelp);
  AddPositionArgument(*command, setup->Conversion, "LATITUDE LONGITUDE, or with --inverse REFERENCE");
  AddInverseFlag(*command, setup->Conversion, "Convert references to latitude and longitude");
  command->add_option("-r,--resolution", setup->Resolution, "Size of the square named, metres: 1, 10, ... 100000 (default 1)")
      ->check(CLI::IsMember({1, 10, 100, 1000, 10000, 100000}))
      ->type_name("METRES");
  AddEllipsoidOption(*command, setup->Conversion);
  AddLineOptions(*command, setup->Conversion, true);
}

}  // namespace orq::cli
