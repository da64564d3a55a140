// The words of a study plot and of a run's map in Polish and English, all in one table:
// the plot's title, axis titles, the names of the measured and theoretical curves and the
// parameters a subtitle lists; the map's measures and their units. A lecture in Poland and a report
// in English need the same figure in either language; English is the default unless the user's
// messages locale is Polish.
#pragma once

#include <optional>
#include <string>

namespace vadidazid {

enum class PlotLanguage { English, Polish };

// The first of LC_ALL, LC_MESSAGES, LANG that is set and not empty decides: Polish for a
// name starting "pl" ("pl_PL.UTF-8", "pl"), English otherwise or when none is set.
PlotLanguage PlotLanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);
PlotLanguage PlotLanguageOfEnvironment();

// "pl" or "en"; throws UsageError with a message for the user otherwise.
PlotLanguage ParsePlotLanguage(const std::string& text);

// The text of `key` in the language: a column or parameter name (blocking_probability,
// erlang_b, call-percent, channels, ...) or one of the plot's own words ("probability",
// "against", "replications", "steps", "warmup", "auto"); "of:NAME" is a parameter as the
// title names it after "against", "short:NAME" as the subtitle does; "map:MEASURE",
// "unit:MEASURE" and "none:MEASURE" a map's measure, its unit and a cell without its
// value. nullopt for an unknown key.
std::optional<std::string> PlotText(PlotLanguage language, const std::string& key);
// As PlotText, but the key itself when the table lacks it.
std::string PlotTextOr(PlotLanguage language, const std::string& key);

}  // namespace vadidazid
