// The table of a study plot's words. Every text of the plot comes from here, so a
// translation is checked and changed in one place.
#include "pictures/plottext.h"

#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "platform/exceptions.h"
#include "platform/text/messagetext.h"

namespace vadidazid {

namespace {

struct PlotWord {
  const char* key;
  const char* polish;
  const char* english;
};

const PlotWord kWords[] = {
    {"probability", "Prawdopodobieństwo", "Probability"},
    {"blocking_probability", "Blokada wywołań", "Call blocking"},
    {"call_congestion", "Zgłoszenia do pełnych komórek", "Offers to full cells"},
    {"dropping_probability", "Zerwania przy przejściu", "Dropping at hand-over"},
    {"erlang_b", "Erlang B (teoria)", "Erlang B (theory)"},
    {"engset", "Engset (teoria)", "Engset (theory)"},
    {"call-percent", "Prawdopodobieństwo rozpoczęcia rozmowy [%]", "Call start probability [%]"},
    {"subscribers", "Liczba abonentów", "Subscribers"},
    {"channels", "Liczba kanałów na stację bazową", "Channels per base station"},
    {"grid-side", "Rozmiar sieci (bok) [komórki]", "Grid side [cells]"},
    {"mean", "Średni czas rozmowy [kroki]", "Mean call duration [steps]"},
    {"deviation", "Odchylenie standardowe czasu rozmowy [kroki]",
     "Call duration deviation [steps]"},
    {"mean_load_percent", "Średnie obciążenie kanałów [%]", "Mean load of the channels [%]"},
    // The title: "<what> against <x>", and the subtitle's words.
    {"title", "Blokada, pełne komórki i zerwania", "Blocking, full cells and dropping"},
    {"against", "w zależności od", "against"},
    {"of:call-percent", "prawdopodobieństwa rozpoczęcia rozmowy", "call start probability"},
    {"of:subscribers", "liczby abonentów", "subscribers"},
    {"of:channels", "liczby kanałów na stację bazową", "channels per base station"},
    {"of:grid-side", "rozmiaru sieci", "grid side"},
    {"of:mean", "średniego czasu rozmowy", "mean call duration"},
    {"of:deviation", "odchylenia czasu rozmowy", "call duration deviation"},
    {"replications", "powtórzenia", "replications"},
    {"steps", "kroki", "steps"},
    {"warmup", "rozbieg", "warm-up"},
    {"auto", "wybierany (MSER-5)", "chosen by MSER-5"},
    {"left-out", "Pominięte wartości", "Values left out"},
    // A dimensioning: "<dimensioning> <of:x>" and the line of its target.
    {"dimensioning", "Wymiarowanie", "Dimensioning the"},
    {"target", "Cel", "Target"},
    // The fixed parameters in the subtitle, short.
    {"short:call-percent", "start rozmowy [%]", "call start [%]"},
    {"short:subscribers", "abonenci", "subscribers"},
    {"short:channels", "kanały", "channels"},
    {"short:grid-side", "bok sieci", "grid side"},
    {"short:mean", "średni czas", "mean duration"},
    {"short:deviation", "odchylenie", "deviation"},
    // The map of a run: its measures, their units, and its own words.
    {"map:call_congestion", "Zgłoszenia do pełnych komórek", "Offers to full cells"},
    {"map:dropped", "Rozmowy zerwane przy wejściu do komórki",
     "Calls dropped on entering the cell"},
    {"map:load", "Średnie obciążenie", "Mean load"},
    {"unit:call_congestion", "udział zgłoszeń", "share of offers"},
    {"unit:dropped", "rozmowy", "calls"},
    {"unit:load", "% kanałów komórki", "% of the cell's channels"},
    {"step", "krok", "step"},
    {"no-steps", "brak kroków", "no steps"},
    {"start-cell", "komórka startowa", "start cell"},
    {"row", "wiersz", "row"},
    {"column", "kolumna", "column"},
    {"none:call_congestion", "brak zgłoszeń", "no offers"},
    {"none", "brak wartości", "no value"},
};

bool NamesPolish(const char* value) { return std::string_view(value).substr(0, 2) == "pl"; }

}  // namespace

PlotLanguage PlotLanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value != nullptr && *value != '\0') {
      return NamesPolish(value) ? PlotLanguage::Polish : PlotLanguage::English;
    }
  }
  return PlotLanguage::English;
}

PlotLanguage PlotLanguageOfEnvironment() {
  return PlotLanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                              std::getenv("LANG"));
}

PlotLanguage ParsePlotLanguage(const std::string& text) {
  if (text == "pl") return PlotLanguage::Polish;
  if (text == "en") return PlotLanguage::English;
  throw UsageError("--lang: '" + MessageText(text) + "' is neither pl nor en");
}

std::optional<std::string> PlotText(PlotLanguage language, const std::string& key) {
  for (const PlotWord& word : kWords) {
    if (key == word.key) return language == PlotLanguage::Polish ? word.polish : word.english;
  }
  return std::nullopt;
}

std::string PlotTextOr(PlotLanguage language, const std::string& key) {
  return PlotText(language, key).value_or(key);
}

}  // namespace vadidazid
