// The commands of korven, one line each: KORVEN_COMMAND(name, entry function, one-line help).
// A new command is one line here and its Name Command.cpp file beside this one.
KORVEN_COMMAND("run", runCommand, "analyse one or more projects with the engine library")
KORVEN_COMMAND("export", exportCommand, "write a project's results as JSON or CSV")
KORVEN_COMMAND("sweep", sweepCommand, "run a project over lists of parameter values")
KORVEN_COMMAND("plot", plotCommand, "draw a project's graphs as PNG, PDF or SVG files")
