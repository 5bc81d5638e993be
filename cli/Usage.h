#pragma once

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

// Every command of qorva-cli with its options, as --help prints them.
inline constexpr const char* kCliUsage =
    "usage: qorva-cli COMMAND [ARGS]\n"
    "commands:\n"
    "  state [--p P] --t T --rh RH     one moist-air state from any two of\n"
    "                                  --t T  --tw TW  --rh RH  --td TD  --x X  --h H\n"
    "                                  (°C, °C, %, °C, g/kg, kJ/kg; --p pressure in Pa)\n"
    "  states [--p P]                  states for argument lines read from standard input, as CSV\n"
    "  process KIND [--p P] --t T --rh RH [--to-t T --to-rh RH] --e E|--dx DX|--heat-to T|--ratio R\n"
    "                                  one process step from the entering air: KIND recovery-total,\n"
    "                                  recovery-sensible, evaporative-direct, evaporative-indirect,\n"
    "                                  humidify-steam, humidify-adiabatic, heat or mix; the second air\n"
    "                                  (exhaust, secondary air, second stream) by the state options\n"
    "                                  with --to- (--to-t --to-tw --to-rh --to-td --to-x --to-h);\n"
    "                                  --e effectiveness 0-1, --dx g/kg, --heat-to °C, --ratio 0-1\n"
    "  convert IN.id OUT.id            rewrite a project file in the current format\n"
    "  render IN.id OUT.emf|wmf|svg|pdf|png|jpg [options]\n"
    "                                  draw a project's chart\n"
    "      --system NAME --room NAME   the room to draw (default: the current one)\n"
    "      --condition 0|1|2           普通, 制冷 or 制热\n"
    "      --width PIXELS              screen width the page is laid out for (210-20000)\n"
    "      --dpi DPI                   image resolution (96-600)\n"
    "      --png-compression 0-9       PNG compression level\n"
    "      --page                      the page view instead of the chart view\n"
    "      --print-layout              lay the page out as printed\n"
    "      --all                       a PDF of every room and condition that holds objects, a page each\n"
    "      --lang zh|en                language of the drawn texts (default zh)\n"
    "      --weather FILE              draw a weather year (.epw or .csv) over the grid\n"
    "      --window T0,T1,X0,X1        draw that window as 剪裁 would (°C at the left edge, g/kg)\n"
    "      --form id|ashrae            the i-d chart (default) or the ASHRAE chart (dry bulb across)\n"
    "  export-points IN.id OUT.txt     table of every state point (文件 → 输出 → 状态点)\n"
    "  export-params IN.id OUT.txt     table of every parameter point (文件 → 输出 → 参数点)\n"
    "  report IN.id OUT.txt            analysis report of every room (关闭并返回)\n"
    "  import-params IN.txt OUT.id     build a project from a parameter file (start-up with m)\n"
    "  import-old OLD OUT.id           import a project older than version 320 (导入旧工程)\n"
    "  analyze IN.id OUT.id --analysis primary|secondary|fancoil|freshair [options]\n"
    "                                  run a process analysis (过程分析)\n"
    "      --system NAME --room NAME   the room to analyse (default: every room)\n"
    "      --winter | --no-winter      analyse the winter condition too, or not\n"
    "      --fan-rise --supply-diff --dew-point --preheat --humidify --preheat-diff\n"
    "      --mix --heat-to --humidification VALUE\n"
    "      --recovery none|total|sensible --recovery-e E\n"
    "                                  heat recovery of the fresh air (freshair, fancoil)\n"
    "                                  the analysis parameters; analyze --help tells which\n"
    "                                  analysis takes which\n"
    "  comfort --ta T --rh RH [--tr T] [--v V] [--met M] [--clo C]\n"
    "                                  PMV and PPD of a state (ISO 7730; tr = ta, 0.1 m/s,\n"
    "                                  1.2 met, 0.5 clo unless given)\n"
    "  comfort --zone gb-cooling-1|gb-cooling-2|gb-heating-1|gb-heating-2|pmv [options]\n"
    "                                  the four corners of a comfort zone (GB 50736 or PMV)\n"
    "      --limit L --met M --clo C --v V\n"
    "                                  the PMV zone's limit (0.5) and occupant\n"
    "      --rh-low RH --rh-high RH    its humidity bounds, % (30, 70)\n"
    "      --p PA                      atmospheric pressure, Pa (101325)\n"
    "  climate WEATHER.epw|.csv [--hours FROM-TO] [--months FROM-TO]\n"
    "                                  a weather year: station, hours, the outdoor design conditions\n"
    "                                  of GB 50736 (from the whole year), hours in its four comfort\n"
    "                                  classes and monthly means (of the hours kept: --hours 8-18\n"
    "                                  keeps 08:00-18:00, --months 6-8 June to August)\n"
    "  annual IN.id WEATHER.epw|.csv [options]\n"
    "                                  a year of each room's fresh-air energy, hour by hour,\n"
    "                                  and what heat recovery saves (全年新风能耗)\n"
    "      --system NAME --room NAME   the rooms to compute (default: every room)\n"
    "      --fresh-air KG_PER_H        one flow for every room (default: the room's volumes)\n"
    "      --hours FROM-TO             the daily schedule (0-24; 22-6 wraps over midnight)\n"
    "      --recovery-total E | --recovery-sensible E\n"
    "                                  heat recovery of effectiveness E (0-1); default: the\n"
    "                                  recovery stored with each room (analyze --recovery)\n"
    "  export IN.id OUT.xlsx [--weather FILE]\n"
    "                                  the project as an Excel workbook (文件 → 导出工作簿): design\n"
    "                                  data, results, state points; with --weather (.epw or .csv)\n"
    "                                  the year's statistics and each room's fresh air by month\n"
    "  --units si|engineering|ip       with state, states, process, comfort, climate and annual: the units\n"
    "                                  values are typed and printed in (default si); engineering: h in\n"
    "                                  kcal/kg; ip: °F, gr/lb, Btu/lb (0 at dry air of 0 °F), psia, ft³/lb,\n"
    "                                  lb/ft³; with analyze: the project's unit system for the run\n"
    "  --json                          with state, states, process, analyze, report, climate and annual: "
    "JSON\n"
    "                                  on standard output instead of text (report IN.id [OUT.json] --json)\n"
    "  --help, -h                      this text\n"
    "  --version                       the program's version\n";

// No command, --help or -h: the usage, on standard output when asked for and
// on standard error otherwise. The exit status, or −1 when a command follows.
inline int answerHelp(int argc, const char* const argv[])
{
    const bool asked = argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0);
    if (argc >= 2 && !asked)
        return -1;
    std::fputs(kCliUsage, asked ? stdout : stderr);
    return asked ? 0 : 2;
}

// A missing input file is said to be missing, before a reader takes it for a
// bad file name; true after the message.
inline bool reportMissingInput(const char* command, const std::string& path)
{
    std::error_code error;
    if (std::filesystem::exists(path, error))
        return false;
    std::fprintf(stderr, "qorva-cli: %s %s: no such file\n", command, path.c_str());
    return true;
}
