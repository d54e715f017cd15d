#include "bench_logs.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/body.h"

namespace bench {

namespace {

namespace fs = std::filesystem;

// The templates' wordings with their slots left in: "<VICTIM> was pistol whipped by <KILLER>."
std::vector<std::string> KillForms(const mrv::DeathTemplates& templates) {
  std::vector<std::string> forms;
  for (const std::string& entry : templates.entries()) {
    if (!entry.empty()) forms.push_back(entry.substr(1));
  }
  return forms;
}

// A kill line of the form with both names put in and the message tags taken out.
std::string KillLine(std::string form, const std::string& killer, const std::string& victim) {
  for (const auto& [slot, nick] :
       {std::pair{"<KILLER>", &killer}, std::pair{"<VICTIM>", &victim}}) {
    const auto at = form.find(slot);
    if (at != std::string::npos) form.replace(at, 8, *nick);
  }
  for (const char* tag : {"</MSG>", "<MSG>"}) {
    for (auto at = form.find(tag); at != std::string::npos; at = form.find(tag))
      form.erase(at, std::strlen(tag));
  }
  return form;
}

class LogWriter {
 public:
  LogWriter(std::FILE* out, bool later_text, const mrv::DeathTemplates& templates)
      : out_(out), later_text_(later_text), kill_forms_(KillForms(templates)) {}

  void Write(std::uint64_t bytes) {
    Line("logfile opened on Sat Mar 02 20:14:05 2024");
    while (written_ < bytes) Map();
  }

 private:
  void Line(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fputc('\n', out_);
    written_ += text.size() + 1;
  }
  const std::string& Pick(const std::vector<std::string>& from) {
    return from[random_() % from.size()];
  }
  bool Chance(int percent) { return static_cast<int>(random_() % 100) < percent; }

  std::string Kill(const std::string& killer, const std::string& victim) {
    return KillLine(Pick(kill_forms_), Named(killer), Named(victim));
  }

  void Map() {
    static const std::vector<std::string> maps = {"ut4_abbey",  "ut4_algiers",  "ut4_uptown",
                                                  "ut4_casa",   "ut4_turnpike", "ut4_tombs",
                                                  "ut4_austria"};
    if (Chance(20)) {
      for (const char* text :
           {"----- FS_Startup -----", "Current search path:", "/home/morv/.q3a/q3ut4",
            "/usr/share/games/urbanterror/q3ut4/zpak000.pk3 (1211 files)",
            "----------------------"}) {
        Line(text);
      }
    }
    const char* crosshairs = later_text_ ? "13 crosshairs parsed" : "8 crosshairs parsed";
    for (const char* text :
         {"RE_Shutdown( 0 )", "Hunk_Clear: reset the hunk ok", "----- R_Init -----",
          "GL_VENDOR: Mesa", "Loading vm file vm/ui.qvm...", "35 bots parsed", crosshairs,
          "Loading vm file vm/cgame.qvm...", crosshairs, "CL_InitCGame: 11.85 seconds",
          "61 msec to draw all images", "Com_TouchMemory: 0 msec"}) {
      Line(text);
    }
    Line("\"mapname\" is:\"" + Pick(maps) + "^7\" default:\"nomap^7\"");
    std::vector<std::string> players = {"Morv"};
    for (int i = 0; i < 15; ++i) players.push_back(Pick(names_) + std::to_string(random_() % 100));
    for (std::size_t i = 0; i < players.size(); ++i) {
      Line(players[i] + (i % 2 == 0 ? " joined the red team." : " joined the blue team."));
    }
    for (int event = 0; event < 1500; ++event) Event(players);
  }

  // A name as kill lines print it: later versions wrap it in a team colour.
  std::string Named(const std::string& nick) { return later_text_ ? "^1" + nick + "^7" : nick; }

  // A hit's location: one of the older text's 21 names, or of 4.1's six.
  std::string Where() {
    static const std::vector<std::string> later = {"Head",   "Helmet", "Torso",
                                                   "Kevlar", "Arms",   "Legs"};
    if (!later_text_) return std::string(mrv::HitLocations[random_() % mrv::kHitLocationCount]);
    return Pick(later);
  }
  // What ends a hit line: nothing in the older text, the damage in 4.1's.
  std::string Damage() {
    return later_text_ ? " for " + std::to_string(random_() % 100 + 1) + "% damage." : ".";
  }

  void Event(const std::vector<std::string>& players) {
    const std::string& a = Pick(players);
    const std::string& b = Pick(players);
    const std::string location = Where();
    switch (random_() % 12) {
      case 0:
      case 1:
      case 2:
        Line(Kill(a, b));
        break;
      case 3:
        Line("You hit " + b + " in the " + location + Damage());
        if (Chance(40)) Line(Kill("Morv", b));
        break;
      case 4:
        Line("You were hit in the " + location + " by " + a + Damage());
        if (Chance(30)) Line(Kill(a, "Morv"));
        break;
      case 5:
        Line("^1" + a + "^7 has taken the ^4Blue^7 flag!");
        if (Chance(50)) {
          Line("^1" + a + "^7 dropped the ^4Blue^7 flag!");
          Line(Kill(b, a));
        } else {
          Line("^1" + a + "^7 captured the ^4Blue flag!");
        }
        break;
      case 6:
        Line(b + " returned the BLUE flag!");
        break;
      case 7:
      case 8:
        Line("^1" + a + "^7 (Patio Courtyard): ^3" + Pick(chat_));
        break;
      case 9:
        Line("^1(DEAD) " + a + "^3: ^3" + Pick(chat_));
        break;
      case 10:
        Line(a + " had " + std::to_string(random_() % 100 + 1) + "% Health.");
        break;
      default:
        if (later_text_ && Chance(30)) {
          Line(a + " hit " + b + " in the " + location + Damage());  // a watched player's hit
          break;
        }
        Line(Chance(50) ? "^5PunkBuster Client: Player Guid Computed " + std::to_string(random_()) +
                              "(-) (slot #3)"
                        : a + " entered the game");
    }
  }

  std::FILE* out_;
  bool later_text_;
  std::uint64_t written_ = 0;
  std::mt19937_64 random_{42};
  const std::vector<std::string> kill_forms_;
  const std::vector<std::string> names_ = {"Rasec",  "Fak",       "Blub",    "Sn4ke", "pascochasco",
                                           "Kr4ken", "Dr Pepper", "[FU]Neo", "Lynx",  "Mojo"};
  const std::vector<std::string> chat_ = {"sry",
                                          "meh",
                                          "nice one",
                                          "gg",
                                          "who has the flag?",
                                          "lag...",
                                          "he did the lemming thing lol",
                                          "rush B"};
};

// The sample evening written again and again until the log has the size asked for.
void WriteRepeatedSample(std::FILE* out, std::uint64_t bytes) {
  std::FILE* in = std::fopen(
      (fs::path(MORVANE_SOURCE_DIR) / "samples" / "long_session.log").string().c_str(), "rb");
  if (in == nullptr) std::abort();
  std::vector<char> sample(1 << 20);
  sample.resize(std::fread(sample.data(), 1, sample.size(), in));
  std::fclose(in);
  for (std::uint64_t written = 0; written < bytes; written += sample.size()) {
    std::fwrite(sample.data(), 1, sample.size(), out);
  }
}

// Years of evenings on public servers, one map after another as a 4.1 client's
// qconsole.log keeps them (and, on some servers, the names in colour of later versions).
class MapHeavyWriter {
 public:
  MapHeavyWriter(std::FILE* out, const mrv::DeathTemplates& templates)
      : out_(out), kill_forms_(KillForms(templates)) {
    // Thousands of players over the years; tags and digits as players pick them.
    static const char* const kBases[] = {
        "Rasec",  "Fak",   "Blub",   "Sn4ke", "pascochasco", "Kr4ken",  "Dr Pepper", "Neo",
        "Lynx",   "Mojo",  "Lupin",  "Nitro", "maggot",      "Tomtom",  "PAPANGU",   "Etasoeur",
        "Zorg",   "kilo",  "Vortex", "Shade", "bambi",       "Grim",    "Otto",      "xXx",
        "Fury",   "Pinky", "Chewie", "Ghost", "Rambo",       "sniperX", "Lola",      "Tux",
        "Bender", "Yoda",  "noob",   "Hawk",  "Raven",       "Max",     "Duke",      "Kiwi"};
    static const char* const kTags[] = {"[FU]", "=LK=", "|ZeD|", "{TwC}", "-=SoF=-", "[NoX]"};
    for (int i = 0; i < kPoolSize; ++i) {
      std::string nick = i % 5 == 0 ? kTags[(i / 5) % 6] : "";
      nick += kBases[i % 40];
      if (i >= 40) nick += std::to_string(i / 40);
      pool_.push_back(std::move(nick));
    }
  }

  void Write(std::uint64_t bytes) {
    Line("logfile opened on Sat Apr 18 21:41:27 2009");
    while (written_ < bytes) Map();
  }

 private:
  static constexpr int kPoolSize = 6000;
  static constexpr int kRed = 1, kBlue = 2;
  struct Player {
    std::string nick;
    int team;
  };

  void Line(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fputc('\n', out_);
    written_ += text.size() + 1;
  }
  int Below(int n) { return static_cast<int>(random_() % static_cast<std::uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T>
  const T& Pick(const std::vector<T>& from) {
    return from[static_cast<std::size_t>(Below(static_cast<int>(from.size())))];
  }
  static std::string Colour(int team) { return team == kBlue ? "^4" : "^1"; }
  static std::string TeamWord(int team) { return team == kBlue ? "blue" : "red"; }

  // A player not on the map: regulars (the pool's first) far more often than passers-by.
  std::string Newcomer() {
    for (;;) {
      const double u = std::uniform_real_distribution<double>(0, 1)(random_);
      const std::string& nick = pool_[static_cast<std::size_t>(u * u * u * kPoolSize)];
      bool present = nick == "Morv";
      for (const Player& p : players_) present = present || p.nick == nick;
      if (!present) return nick;
    }
  }

  void ServerChange() {
    Line("]\\connect 203.0.113." + std::to_string(Below(250)) + ":27960");
    for (const char* text :
         {"Requesting challenge...", "Requesting connect...", "----- FS_Startup -----",
          "Current search path:", "C:\\Program Files\\UrbanTerror/q3ut4/zUrT41_0.pk3 (4211 files)",
          "    on the pure list", "C:\\Program Files\\UrbanTerror/q3ut4", "",
          "----------------------", "8035 files in pk3 files"}) {
      Line(text);
    }
  }

  void MapLoad() {
    for (const char* text :
         {"RE_Shutdown( 0 )", "Hunk_Clear: reset the hunk ok", "----- R_Init -----",
          "Initializing Shaders", "----- finished R_Init -----", "Loading vm file vm/ui.qvm...",
          "VM file ui compiled to 2078251 bytes of code", "ui loaded in 3385984 bytes on the hunk",
          "32 bots parsed", "13 crosshairs parsed", "Loading vm file vm/cgame.qvm...",
          "VM file cgame compiled to 3311580 bytes of code",
          "cgame loaded in 6010112 bytes on the hunk"}) {
      Line(text);
    }
    const int faces = 2000 + Below(2000);
    Line("...loaded " + std::to_string(faces) + " faces, " + std::to_string(faces / 30) +
         " meshes, " + std::to_string(faces / 25) + " trisurfs, 0 flares");
    Line("stitched " + std::to_string(faces % 37) + " LoD cracks");
    Line("13 crosshairs parsed");
    Line("CL_InitCGame: " + std::to_string(6 + Below(8)) + "." + std::to_string(10 + Below(90)) +
         " seconds");
    Line(std::to_string(40 + Below(35)) + " msec to draw all images");
    Line("Com_TouchMemory: 0 msec");
  }

  void Map() {
    static const std::vector<std::string> kMaps = {
        "ut4_abbey",    "ut4_algiers",  "ut4_uptown",     "ut4_casa",   "ut4_turnpike",
        "ut4_tombs",    "ut4_austria",  "ut4_kingdom",    "ut4_prague", "ut4_ramelle",
        "ut4_riyadh",   "ut4_suburbs",  "ut4_swim",       "ut4_toxic",  "ut4_tunis",
        "ut4_mandolin", "ut4_oildepot", "ut4_harbortown", "ut4_ambush", "ut4_eagle",
        "ut4_elgin",    "ut4_docks",    "ut4_kingpin",    "ut4_herring"};
    static const std::vector<std::string> kGameTypes = {
        "Capture The Flag 8v8 | timelimit 20", "Team Survivor 5v5 | roundlimit 0 | timelimit 15",
        "Team Deathmatch | fraglimit 0 | timelimit 20"};
    if (Chance(4)) ServerChange();
    MapLoad();
    Line("\"mapname\" is:\"" + Pick(kMaps) + "^7\" default:\"nomap^7\"");
    Line("\"name\" is:\"Morv^7\" default:\"UnnamedPlayer^7\"");
    const int type = Below(3);
    ctf_ = type == 0;
    colour_names_ = Chance(30);  // a later version's server
    damage_shown_ = Chance(60);
    Line("console: ^7" + kGameTypes[static_cast<std::size_t>(type)]);
    players_.clear();
    players_.push_back({"Morv", 1 + Below(2)});
    const int count = 10 + Below(21);
    while (static_cast<int>(players_.size()) < count) players_.push_back({Newcomer(), 0});
    for (std::size_t i = 0; i < players_.size(); ++i) {
      if (i > 0) players_[i].team = i % 2 == 0 ? kRed : kBlue;
      Line(players_[i].nick + " joined the " + TeamWord(players_[i].team) + " team.");
    }
    const std::uint64_t end = written_ + 8500 + static_cast<std::uint64_t>(Below(3000));
    while (written_ < end) Event();
    Line("Timelimit hit.");
    Line(Colour(players_[1].team) + players_[1].nick + "^3: ^3gg");
  }

  // A name as this server's kill lines print it.
  std::string Named(const Player& p) {
    return colour_names_ ? Colour(p.team) + p.nick + "^7" : p.nick;
  }
  std::string Kill(const Player& killer, const Player& victim) {
    return KillLine(Pick(kill_forms_), Named(killer), Named(victim));
  }
  std::string Where() {
    static const std::vector<std::string> kLocations = {"Head",   "Helmet", "Torso",
                                                        "Kevlar", "Arms",   "Legs"};
    return Pick(kLocations);
  }
  std::string Damage() {
    return damage_shown_ ? " for " + std::to_string(1 + Below(100)) + "% damage." : ".";
  }
  // Two different players, the first not the own one.
  std::pair<std::size_t, std::size_t> TwoOthers() {
    const auto a = static_cast<std::size_t>(1 + Below(static_cast<int>(players_.size()) - 1));
    auto b = static_cast<std::size_t>(Below(static_cast<int>(players_.size()) - 1));
    if (b >= a) ++b;
    return {a, b};
  }
  std::string Chat(const Player& p) {
    static const std::vector<std::string> kChat = {"gg",
                                                   "nice one",
                                                   "lol",
                                                   "sry",
                                                   "lag!!",
                                                   "who has the flag?",
                                                   "camper",
                                                   "ns",
                                                   "one more map then bed",
                                                   "that sniper again",
                                                   "he did the lemming thing lol",
                                                   "wb"};
    static const std::vector<std::string> kPlaces = {"Gas Station", "Church Plaza", "Blue Base",
                                                     "Red Base", "Patio Courtyard"};
    const std::string text = Chance(10) ? Kill(p, players_[0]) : Pick(kChat);
    switch (Below(3)) {
      case 0:
        return Colour(p.team) + p.nick + "^3: ^3" + text;
      case 1:
        return Colour(p.team) + "(DEAD) " + p.nick + "^3: ^3" + text;
      default:
        return Colour(p.team) + p.nick + "^7 (" + Pick(kPlaces) + "): ^3" + text;
    }
  }

  void Flag(const Player& carrier, const Player& other) {
    const std::string flag = carrier.team == kBlue ? "^1Red^7" : "^4Blue^7";
    const std::string named = Colour(carrier.team) + carrier.nick + "^7";
    Line(named + " has taken the " + flag + " flag!");
    if (Chance(55)) {
      Line(named + " dropped the " + flag + " flag!");
      Line(Kill(other, carrier));
      if (Chance(50))
        Line(other.nick + " returned the " + (carrier.team == kBlue ? "RED" : "BLUE") + " flag!");
    } else {
      Line(named + " captured the " + (carrier.team == kBlue ? "^1Red" : "^4Blue") + " flag!");
    }
  }

  // Someone comes or goes, changes team or, now and then, name: away and back, or a
  // name of his own.
  void Crowd() {
    const int roll = Below(10);
    if (roll < 4 && players_.size() < 32) {
      Player p{Newcomer(), 1 + Below(2)};
      Line(p.nick + " connected");
      Line(p.nick + " entered the game");
      Line(p.nick + " joined the " + TeamWord(p.team) + " team.");
      players_.push_back(std::move(p));
    } else if (roll < 7 && players_.size() > 8) {
      const std::size_t leaving = TwoOthers().first;
      Line(players_[leaving].nick + " disconnected");
      players_.erase(players_.begin() + static_cast<std::ptrdiff_t>(leaving));
    } else if (roll < 9 || Chance(70)) {
      Player& p = players_[TwoOthers().first];
      p.team = p.team == kRed ? kBlue : kRed;
      Line(p.nick + " joined the " + TeamWord(p.team) + " team.");
    } else {
      Player& p = players_[TwoOthers().first];
      const std::size_t away = p.nick.find("|afk");
      std::string renamed = away != std::string::npos ? p.nick.substr(0, away)
                            : Chance(50)              ? p.nick + "|afk"
                                         : pool_[static_cast<std::size_t>(Below(kPoolSize))];
      Line(p.nick + "^7 renamed to " + renamed);
      p.nick = std::move(renamed);
    }
  }

  void Event() {
    const auto [a, b] = TwoOthers();
    const Player& own = players_[0];
    const int roll = Below(100);
    if (roll < 28) {
      Line(Kill(players_[a], players_[b]));
    } else if (roll < 40) {
      Line("You hit " + players_[a].nick + " in the " + Where() + Damage());
      if (Chance(40)) Line(Kill(own, players_[a]));
    } else if (roll < 49) {
      Line("You were hit in the " + Where() + " by " + players_[a].nick + Damage());
      if (Chance(30)) Line(Kill(players_[a], own));
    } else if (roll < 57 && b != 0) {  // a watched player's hit
      Line(Chance(60)
               ? players_[a].nick + " hit " + players_[b].nick + " in the " + Where() + Damage()
               : players_[a].nick + " was hit in the " + Where() + " by " + players_[b].nick +
                     Damage());
    } else if (roll < 70) {
      Line(Chat(players_[roll < 57 ? b : a]));
    } else if (roll < 78 && ctf_) {
      Flag(players_[a], players_[b]);
    } else if (roll < 78) {
      Line(Kill(players_[a], players_[b]));
    } else if (roll < 83) {
      Line(players_[a].nick + " had " + std::to_string(1 + Below(100)) + "% Health.");
    } else if (roll < 87) {
      Crowd();
    } else {
      Line("^5PunkBuster Client: Player Guid Computed " + std::to_string(random_() % 100000000) +
           "(-) (slot #" + std::to_string(a) + ")");
    }
  }

  std::FILE* out_;
  const std::vector<std::string> kill_forms_;
  std::vector<std::string> pool_;
  std::vector<Player> players_;
  bool ctf_ = false;
  bool colour_names_ = false;
  bool damage_shown_ = true;
  std::uint64_t written_ = 0;
  std::mt19937_64 random_{2009};
};

}  // namespace

void WriteBenchLog(LogKind kind, const fs::path& path, std::uint64_t bytes,
                   const mrv::DeathTemplates& templates) {
  std::FILE* out = std::fopen(path.string().c_str(), "wb");
  if (out == nullptr) std::abort();
  switch (kind) {
    case LogKind::kRepeatedSample:
      WriteRepeatedSample(out, bytes);
      break;
    case LogKind::kMapHeavy:
      MapHeavyWriter(out, templates).Write(bytes);
      break;
    default:
      LogWriter(out, kind == LogKind::kLaterText, templates).Write(bytes);
  }
  if (std::fclose(out) != 0) std::abort();
}

}  // namespace bench
