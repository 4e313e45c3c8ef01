#include "cli/usage_text.h"

namespace quorvex::cli {
namespace {

// The options and the words they take. The layout is what help2man and the completion read:
// a section heading ends in ":", each entry starts two blanks in, and what it does starts in the
// 26th column or on the next line there, continued in that column.
constexpr std::string_view kOptions =
    "Usage: quorvex-cli [OPTIONS] INPUT...\n"
    "Converts DXF drawings into coordinate data files. Each drawing gives one data\n"
    "file in the destination, named as the drawing without its last extension and\n"
    "with the data-file extension: plan.rev2.dxf with csv writes plan.rev2.csv.\n"
    "\n"
    "  INPUT                  a .dxf file, or a folder: all its DXF files, sorted by\n"
    "                         name\n"
    "  -c, --config FILE      configuration file, .qrv or TOML (told apart by\n"
    "                         content); a name without a folder is also looked for\n"
    "                         in the configurations folder; default: the default\n"
    "                         configuration\n"
    "  -o, --output DIR       destination directory; default: the current directory\n"
    "  -e, --extension EXT    data-file extension instead of the configuration's, 1\n"
    "                         to 10 characters; one leading dot is dropped (-e .csv\n"
    "                         is -e csv)\n"
    "      --log FILE         where the report goes (- for standard output);\n"
    "                         default: the log file (see Files)\n"
    "  -j, --jobs N           files converted at once (default: the number of cores)\n"
    "  -q, --quiet            no progress display\n"
    "      --help             show this help and exit\n"
    "      --version          show the version and exit\n"
    "\n"
    "Configuration, applied over -c:\n"
    "      --kinds LIST       exactly these entity kinds, comma-separated (see\n"
    "                         Kinds); a kind named alone takes the point options of\n"
    "                         the default configuration, KIND.OPTION picks them\n"
    "      --fields LIST      exactly these data fields (see Fields), in this order\n"
    "      --separator SEP    the text between the fields (see Separators)\n"
    "      --decimals N       decimals of X, Y and Z (0 to 14)\n"
    "      --header, --no-header\n"
    "                         with or without the line naming the fields\n"
    "      --blocks PATTERNS  block-name patterns of the block inserts,\n"
    "                         comma-separated: * any text, ? one character\n"
    "      --print-config     print the configuration in effect as TOML and exit\n"
    "      --save-config FILE\n"
    "                         write the configuration in effect as a .qrv file that\n"
    "                         the window loads, creating the configurations folder\n"
    "                         when it goes there; with no INPUT, exit then\n"
    "\n"
    "Failures and existing files:\n"
    "      --remove-partial   delete the data file of a file that failed or was\n"
    "                         stopped, instead of keeping the lines written before\n"
    "      --no-clobber       leave existing data files alone; their drawings are\n"
    "                         skipped\n"
    "\n"
    "Output for other programs (all off by default):\n"
    "      --quote            quote fields that hold the separator, a double quote\n"
    "                         or a line break (RFC 4180)\n"
    "      --mtext-plain      multiline text without its formatting codes\n"
    "      --line-ends lf     lines end in LF instead of CR LF (the linefeed\n"
    "                         separator too)\n"
    "      --bom              start each data file with the UTF-8 byte-order mark\n"
    "      --decimal-comma    coordinates with \",\" as decimal separator (not with a\n"
    "                         separator that holds a comma)\n"
    "\n"
    "Kinds, for --kinds, in any letter case:\n"
    "  points                 each point (POINT)\n"
    "  circles                the centre of each circle (CIRCLE)\n"
    "  arcs                   arcs (ARC), at the points that the arcs.* words pick\n"
    "  arcs.start             the start point of each arc\n"
    "  arcs.end               the end point of each arc\n"
    "  arcs.center            the centre of each arc\n"
    "  ellipses               the centre of each ellipse (ELLIPSE)\n"
    "  lines                  lines (LINE), at the points that the lines.* words pick\n"
    "  lines.start            the start point of each line\n"
    "  lines.end              the end point of each line\n"
    "  mtext                  the insertion point of each multiline text (MTEXT)\n"
    "  text                   the insertion point of each single-line text (TEXT)\n"
    "  polylines-2d           the vertices of 2D polylines (LWPOLYLINE, POLYLINE)\n"
    "  polylines-2d.fit       also the vertices that a curve or spline fit added\n"
    "  polylines-3d           the vertices of 3D polylines and meshes (POLYLINE)\n"
    "  polylines-3d.fit       also the vertices that a spline fit added\n"
    "  splines                splines (SPLINE), at the points that splines.* pick\n"
    "  splines.control        the control points of each spline\n"
    "  splines.fit            the fit points of each spline\n"
    "  faces                  3D faces (3DFACE), at the corners that faces.* pick\n"
    "  faces.1                the first corner of each face\n"
    "  faces.2                the second corner of each face\n"
    "  faces.3                the third corner of each face\n"
    "  faces.4                the fourth corner of each face\n"
    "  blocks                 the insertion point of each block insert (INSERT)\n"
    "                         whose name --blocks lets in\n"
    "\n"
    "Fields, for --fields, in any letter case:\n"
    "  line-number            a count of the data lines, from its start value\n"
    "  x                      the X (east) coordinate\n"
    "  y                      the Y (north) coordinate\n"
    "  z                      the Z (elevation) coordinate, or the constant Z given\n"
    "  entity-type            the entity's type, such as POINT or 2DPOLYLINE\n"
    "  layer                  the entity's layer\n"
    "  handle                 the entity's handle\n"
    "  block-name             the name of the inserted block (block inserts only)\n"
    "  text                   the text of a text or multiline text\n"
    "  label                  the configuration's label, the same on every line\n"
    "  sequence               a second count of the data lines, from its own start\n"
    "  group                  the number of the entity, the same for all its points\n"
    "\n"
    "Separators, for --separator, in any letter case:\n"
    "  comma                  ,\n"
    "  semicolon              ;\n"
    "  space                  one blank\n"
    "  tab                    one tab character; \\t says the same\n"
    "  linefeed               a line break: each field on a line of its own\n"
    "  other                  the configuration's own \"Other\" separator\n"
    "  text:STRING            STRING itself, whatever it holds\n"
    "\n"
    "Exit status:\n"
    "  0                      every file converted or skipped\n"
    "  1                      some file could not be read, was not a valid DXF file\n"
    "                         or failed conversion, a folder could not be listed, or\n"
    "                         the log could not be written\n"
    "  2                      usage or configuration error, unwritable destination,\n"
    "                         inputs that would write the same data file, or a log\n"
    "                         that is a file of the run; nothing was converted\n"
    "  128 + N                stopped by signal N (130 Ctrl-C, 129 SIGHUP, 143\n"
    "                         SIGTERM)\n"
    "\n";

constexpr std::string_view kExamples =
    "\n"
    "Examples:\n"
    "  The points and block inserts of the drawings in site/ as X, Y and Z, one data\n"
    "  file a drawing in the current directory:\n"
    "\n"
    "  $ quorvex-cli --kinds points,blocks --fields x,y,z site/\n"
    "\n"
    "  A configuration of the configurations folder with tab-separated fields; this\n"
    "  writes plan.rev2.csv:\n"
    "\n"
    "  $ quorvex-cli -c site.qrv --separator tab -e csv plan.rev2.dxf\n"
    "\n"
    "  Keep what the options chose, as TOML to read and edit, then as .qrv for the\n"
    "  window:\n"
    "\n"
    "  $ quorvex-cli --kinds lines --print-config > lines.toml\n"
    "  $ quorvex-cli -c lines.toml --save-config lines.qrv\n"
    "\n";

// A folder this program found, or why it has none.
std::string FoundPath(std::string_view path, std::string_view variable) {
  if (!path.empty()) return std::string(path);
  return "none: " + std::string(variable) + " and HOME are not absolute paths";
}

}  // namespace

std::string UsageText(std::string_view log_file, std::string_view configurations_folder) {
  std::string text(kOptions);
  text += "Files:\n";
  text += "  log file               the report of the last run, unless --log names another:\n";
  text += "                         " + FoundPath(log_file, "XDG_STATE_HOME") + "\n";
  text += "  configurations         where -c also looks for a name without a folder:\n";
  text += "                         " + FoundPath(configurations_folder, "XDG_DATA_HOME") + "\n";
  text += kExamples;
  return text;
}

}  // namespace quorvex::cli
