#!/usr/bin/env python3
"""Writes long_session.log beside this script: one long evening of Urban Terror 4.1 as
the client saves it in qconsole.log (logfile 1), seen from the player Morv.

Four capture-the-flag maps on one server, then three team survivor maps on another,
with the engine's start-up, map loading, a video restart and the quit at the end.
The output depends only on SEED: running the script again gives the same bytes."""

import random
from pathlib import Path

SEED = 20090327
OWN = "Morv"
RED, BLUE = 1, 2
COLOUR = {RED: "^1", BLUE: "^4"}

# Where the shots land, roughly as often as in a real game.
HIT_LOCATIONS = [
    ("Head", 9), ("Neck", 3), ("Helmet", 5), ("Left Arm", 6), ("Right Arm", 6),
    ("Left Hand", 2), ("Right Hand", 2), ("Kevlar Vest", 14), ("Chest", 10), ("Heart", 2),
    ("Lungs", 3), ("Spine", 2), ("Back", 5), ("Waist", 4), ("Groin", 3), ("Liver", 2),
    ("Stomach", 8), ("Right Leg", 6), ("Left Leg", 6), ("Right Foot", 2), ("Left Foot", 2),
]

# Kill wordings of 4.1 (and a few of the later game code); {v} victim, {k} killer.
KILL_WORDINGS = {
    "M4": ["{v} got a lead enema from {k}'s retro M4."],
    "LR300": ["{v} played 'catch the shiny bullet' with {k}'s LR-300 rounds."],
    "G36": ["{v} was on the wrong end of {k}'s G36."],
    "AK103": ["{v} was torn asunder by {k}'s crass AK103."],
    "UMP45": ["{v} danced the UMP tango to {k}'s sweet sweet music."],
    "SR8": ["{v} managed to slow down {k}'s SR-8 round just a little."] * 9
    + ["{v} managed to slow down {k}'s SR-8 round just a little.  NEEP NEEP!"],
    "PSG1": ["{v} was taken out by {k}'s PSG1. Plink!"],
    "DE": ["{v} got a whole lot of hole from {k}'s DE round."],
    "Negev": ["{v} got shredded to pieces by {k}'s Negev"],
    "HE": ["{v} has become a nasty stain thanks to {k}'s HE gren."] * 7
    + ["{v} was BBQ'ed by {k}'s exploding monkey."],
    "MP5K": ["{v} was MP5K spammed without mercy by {k}."],
    "Beretta": ["{v} was pistol whipped by {k}."],
    "Bleeding": ["{v} bled to death from {k}'s attacks."],
    "Knife": ["{v} was sliced a new orifice by {k}."],
    "SPAS": ["{v} was turned into peppered steak by {k}'s SPAS blast."],
    "HK69": ["{v} HEARD {k}'s HK69 gren... didn't AVOID it. Sucka.",
             "{v} suffered {k}'s HK69 Grenade Enema."],
    "Kick": ["{v} got himself some lovin' from {k}'s boot o' passion."],
}
SUICIDES = ["{v} killed himself.", "{v} stepped on his own grenade.", "{v} did the lemming thing."]

# Each player's usual loadout: weapon and how often his kills come from it.
LOADOUTS = {
    OWN: [("AK103", 55), ("M4", 15), ("DE", 12), ("HE", 8), ("Bleeding", 4), ("Knife", 2)],
    "[FU]Rasec": [("G36", 50), ("MP5K", 15), ("HE", 12), ("DE", 10), ("Bleeding", 5), ("Knife", 3)],
    "Fak": [("G36", 45), ("AK103", 20), ("DE", 12), ("HE", 15), ("Bleeding", 5)],
    "pascochasco": [("LR300", 50), ("M4", 20), ("Beretta", 10), ("HE", 12), ("Kick", 3)],
    "Kr4ken": [("Negev", 45), ("UMP45", 20), ("DE", 12), ("HE", 10), ("HK69", 8)],
    "Dr Pepper": [("AK103", 45), ("UMP45", 15), ("Beretta", 15), ("HE", 12), ("Bleeding", 6)],
    "=LK=Nitro": [("M4", 55), ("SR8", 10), ("DE", 12), ("HE", 12), ("Bleeding", 5)],
    "Blub": [("MP5K", 40), ("SPAS", 20), ("Beretta", 15), ("HE", 15), ("Knife", 5)],
    "Sn4ke": [("UMP45", 45), ("LR300", 20), ("DE", 15), ("HE", 12), ("Kick", 4)],
    "Lupin": [("PSG1", 40), ("SR8", 25), ("DE", 15), ("HE", 10), ("Bleeding", 6)],
    "maggot": [("DE", 30), ("UMP45", 30), ("HE", 15), ("Kick", 8), ("Knife", 5)],
    "|ZeD|Tomtom": [("SPAS", 35), ("Negev", 30), ("HK69", 15), ("HE", 10), ("DE", 8)],
}

CHAT_PUBLIC = [
    "gg", "nice one", "lol", "wtf", "omg", "ns", "ty", "np", "sry", "brb", "back",
    "who has the flag?", "camper", "lag!!", "that was close", "haha", "rofl", "noob nade",
    "stop spawnkilling", "one more map then bed", "hi all", "wb", "thx", "gj team",
    "that sniper again", "no way that hit", "nice shot", "torn asunder again, great",
    "NEEP NEEP", "monkey!!", "boot o' passion ftw", "he did the lemming thing lol",
    "teams?", "bal pls", "2 more mins", "reload reload", "ping 180 here", ":)", ":P", "xD",
]
CHAT_DEAD = ["meh", "ugh", "one shot?", "lag", "again", "how", "nice aim", "sigh",
             "i had him", "bleeding out every time", "ok ok", "that hallway"]
CHAT_TEAM = ["need help at base", "flag room clear", "2 coming mid", "cover me", "going left",
             "sniper on the roof", "i have the flag, escort", "defending", "medic!",
             "they are at our flag", "low hp", "one left, careful", "behind you"]


class Player:
    def __init__(self, name, team):
        self.name = name
        self.team = team
        self.loadout = LOADOUTS[name]

    @property
    def colour(self):
        return COLOUR[self.team]


class Evening:
    def __init__(self, seed):
        self.rng = random.Random(seed)
        self.lines = []
        self.players = []
        self.map_locations = []
        self.server = ""
        self.flags = {}  # per flag: "base", "dropped" or the carrying Player
        self.taken_at = {}  # per flag: the event count when it was last taken
        self.event_count = 0

    # -- small helpers ---------------------------------------------------------------

    def emit(self, text):
        self.lines.append(text)

    def chance(self, p):
        return self.rng.random() < p

    def pick(self, items):
        return self.rng.choice(items)

    def weighted(self, pairs):
        return self.rng.choices([p[0] for p in pairs], [p[1] for p in pairs])[0]

    def player(self, name):
        return next(p for p in self.players if p.name == name)

    def team(self, team):
        return [p for p in self.players if p.team == team]

    def other(self, team):
        return BLUE if team == RED else RED

    def location(self):
        return self.weighted(HIT_LOCATIONS)

    # -- engine output -------------------------------------------------------------------

    def renderer_init(self, mode, width, height):
        self.emit("----- R_Init -----")
        self.emit("Initializing OpenGL subsystem")
        self.emit("...initializing QGL")
        self.emit("...calling LoadLibrary( 'C:\\WINDOWS\\system32\\opengl32.dll' ): succeeded")
        self.emit("...setting mode %d: %d %d FS" % (mode, width, height))
        for text in ("...using colorsbits of 32", "...calling CDS: ok",
                     "...registered window class"):
            self.emit(text)
        self.emit("...created window@0,0 (%dx%d)" % (width, height))
        for text in ("Initializing OpenGL driver", "...getting DC: succeeded",
                     "...GLW_ChoosePFD( 32, 24, 8 )", "...98 PFDs found",
                     "...hardware acceleration found", "...PIXELFORMAT 7 selected",
                     "...creating GL context: succeeded", "...making context current: succeeded",
                     "Initializing OpenGL extensions", "...using GL_S3_s3tc",
                     "...using GL_EXT_texture_env_add", "...using WGL_EXT_swap_control",
                     "...using GL_ARB_multitexture", "...using GL_EXT_compiled_vertex_array",
                     "...WGL_3DFX_gamma_control not found", "",
                     "GL_VENDOR: NVIDIA Corporation", "GL_RENDERER: GeForce 8600 GT/PCI/SSE2",
                     "GL_VERSION: 2.1.2", "GL_MAX_TEXTURE_SIZE: 8192",
                     "GL_MAX_ACTIVE_TEXTURES_ARB: 4", "",
                     "PIXELFORMAT: color(32-bits) Z(24-bit) stencil(8-bits)"):
            self.emit(text)
        self.emit("MODE: %d, %d x %d fullscreen hz:60" % (mode, width, height))
        for text in ("GAMMA: hardware w/ 0 overbright bits",
                     "texturemode: GL_LINEAR_MIPMAP_LINEAR",
                     "picmip: 0", "texture bits: 32", "Initializing Shaders",
                     "----- finished R_Init -----", "------- sound initialization -------",
                     "Initializing DirectSound", "locked hardware.  ok", "Completed DS_Init",
                     "------------------------------------", "Sound initialization successful."):
            self.emit(text)

    def ui_load(self):
        self.emit("Loading vm file vm/ui.qvm...")
        self.emit("VM file ui compiled to 1870349 bytes of code")
        self.emit("ui loaded in 3104256 bytes on the hunk")
        self.emit("32 bots parsed")
        self.emit("8 crosshairs parsed")

    def cgame_load(self, faces, warning=None):
        self.emit("Loading vm file vm/cgame.qvm...")
        self.emit("VM file cgame compiled to 2954437 bytes of code")
        self.emit("cgame loaded in 5526624 bytes on the hunk")
        self.emit("...loaded %d faces, %d meshes, %d trisurfs, 0 flares"
                  % (faces, faces // 30, faces // 25))
        self.emit("stitched %d LoD cracks" % (faces % 37))
        if warning:
            self.emit(warning)
        self.emit("8 crosshairs parsed")
        self.emit("CL_InitCGame: %5.2f seconds" % self.rng.uniform(6.5, 13.5))
        self.emit("%d msec to draw all images" % self.rng.randint(40, 75))
        self.emit("Com_TouchMemory: 0 msec")

    def start_up(self):
        self.emit("logfile opened on Fri Mar 27 20:31:12 2009")
        self.emit("")
        for text in ("----- Client Initialization -----", "----- Initializing Renderer ----",
                     "-------------------------------",
                     "----- Client Initialization Complete -----"):
            self.emit(text)
        self.renderer_init(6, 1024, 768)
        for text in ("--- Common Initialization Complete ---", "Winsock Initialized",
                     "Opening IP socket: localhost:27960", "Hostname: morv-pc",
                     "IP: 192.168.1.33"):
            self.emit(text)
        self.ui_load()

    def connect(self, address, extra_archives):
        self.emit("]\\connect %s" % address)
        self.emit("%s resolved to %s" % (address.split(":")[0], address))
        self.emit("Requesting challenge...")
        self.emit("Requesting connect...")
        self.emit("----- FS_Startup -----")
        self.emit("Current search path:")
        archives = extra_archives + [("zpak000_assets.pk3", 3824), ("zpak000.pk3", 562)]
        for name, files in archives:
            self.emit("C:\\Program Files\\UrbanTerror/q3ut4/%s (%d files)" % (name, files))
            self.emit("    on the pure list")
        self.emit("C:\\Program Files\\UrbanTerror/q3ut4")
        self.emit("")
        self.emit("----------------------")
        self.emit("%d files in pk3 files" % sum(files for _, files in archives))

    def load_map(self, name, faces, warning=None):
        self.emit("RE_Shutdown( 0 )")
        self.emit("Hunk_Clear: reset the hunk ok")
        self.emit("----- R_Init -----")
        self.emit("Initializing Shaders")
        self.emit("----- finished R_Init -----")
        self.ui_load()
        self.cgame_load(faces, warning)
        self.flags = {RED: "base", BLUE: "base"}
        self.emit('"mapname" is:"%s^7" default:"nomap^7"' % name)
        self.emit('"name" is:"%s^7" default:"UnnamedPlayer^7"' % OWN)
        self.emit("MRV: Map name detected!")

    def video_restart(self, faces):
        self.emit("]\\r_mode 8")
        self.emit("]\\vid_restart")
        self.shut_down_window()
        self.emit("Hunk_Clear: reset the hunk ok")
        self.renderer_init(8, 1280, 1024)
        self.ui_load()
        self.cgame_load(faces)

    def shut_down_window(self):
        self.emit("RE_Shutdown( 1 )")
        for text in ("Shutting down OpenGL subsystem", "...wglMakeCurrent( NULL, NULL ): success",
                     "...deleting GL context: success", "...releasing DC: success",
                     "...destroying window", "...resetting display", "...shutting down QGL",
                     "...unloading OpenGL DLL"):
            self.emit(text)

    def quit(self):
        self.emit("]\\quit")
        self.emit("----- CL_Shutdown -----")
        self.shut_down_window()
        self.emit("-----------------------")

    # -- players coming and going ------------------------------------------------------

    def punkbuster_guid(self, name, slot):
        guid = "%032x" % self.rng.getrandbits(128)
        self.emit("^5PunkBuster Client: Player Guid Computed %s(-) (slot #%d) %s %s"
                  % (guid, slot, self.server, name))

    def join(self, name, team, announce_connect=True):
        if announce_connect:
            self.emit("%s connected" % name)
            self.emit("%s entered the game" % name)
        self.emit("%s joined the %s team." % (name, "red" if team == RED else "blue"))
        self.players.append(Player(name, team))

    def leave(self, name):
        player = self.player(name)
        self.players.remove(player)
        self.emit("%s disconnected" % name)
        for flag, state in self.flags.items():
            if state is player:
                self.flags[flag] = "base"
                self.emit("The %s ^7flag has returned" % self.flag_name(flag))

    def rename(self, old, new):
        player = self.player(old)
        self.emit("%s^7 renamed to %s" % (old, new))
        player.name = new

    # -- chat ------------------------------------------------------------------------------

    def chat(self, player, alive=True):
        if not alive:
            self.emit("%s(DEAD) %s^3: ^3%s" % (player.colour, player.name, self.pick(CHAT_DEAD)))
        elif self.chance(0.35):
            self.emit("%s%s^7 (%s): ^3%s" % (player.colour, player.name,
                                            self.pick(self.map_locations), self.pick(CHAT_TEAM)))
        else:
            self.emit("%s%s^3: ^3%s" % (player.colour, player.name, self.pick(CHAT_PUBLIC)))

    # -- fights ------------------------------------------------------------------------------

    def kill_line(self, killer, victim):
        weapon = self.weighted(killer.loadout)
        return self.pick(KILL_WORDINGS[weapon]).format(v=victim.name, k=killer.name)

    def own_hits(self, victim, most):
        for _ in range(self.rng.randint(1, most)):
            self.emit("You hit %s in the %s." % (victim.name, self.location()))

    def hits_taken(self, attacker, most):
        for _ in range(self.rng.randint(1, most)):
            self.emit("You were hit in the %s by %s." % (self.location(), attacker.name))

    def fight(self, killer, victim, before_kill=None):
        """One kill, with the own player's hits and the lines the game prints around it."""
        if killer.name == OWN and self.chance(0.85):
            self.own_hits(victim, 3)
        elif victim.name == OWN and self.chance(0.8):
            self.hits_taken(killer, 3)
            if self.chance(0.3):
                self.own_hits(killer, 2)
        if before_kill:
            before_kill()
        self.emit(self.kill_line(killer, victim))
        if victim.name == OWN:
            health = 100 if self.chance(0.3) else self.rng.randint(4, 99)
            self.emit("%s had %d%% Health." % (killer.name, health))
            if self.chance(0.3):
                self.chat(victim, alive=False)
        elif killer.name == OWN and killer.team == victim.team:
            self.emit("^5You killed a teammate: you will be kicked if you continue to do so.")

    def suicide(self, victim):
        self.emit(self.pick(SUICIDES).format(v=victim.name))
        if self.chance(0.4):
            self.chat(victim, alive=False)

    def pick_killer(self, candidates):
        weights = [1.3 if p.name == OWN else 1.0 for p in candidates]
        return self.rng.choices(candidates, weights)[0]

    def side_noise(self, foes, respawns):
        """Lines between fights that count no kill: chat, stray hits, server notices.
        foes: the opponents the own player can shoot at now (empty while he is dead)."""
        roll = self.rng.random()
        if roll < 0.45 or (roll < 0.8 and not foes):
            self.chat(self.pick(self.players), alive=self.chance(0.7))
        elif roll < 0.75:
            foe = self.pick(foes)
            if self.chance(0.6):
                self.own_hits(foe, 2)
            else:
                self.hits_taken(foe, 1)
        elif roll < 0.8:
            if respawns:
                self.emit("You hit %s, currently protected by the respawn gods."
                          % self.pick(foes).name)
        elif roll < 0.97:
            self.emit("console: ^7%s" % self.pick(
                ["Please keep the teams even, thanks.", "Visit us on the forums, new maps soon!",
                 "No spawnkilling, no flag camping.", "Next map is voted at the end of this one."]))
        else:
            self.emit("^5PunkBuster Client: Master Query Sent to (1) 198.51.100.17:27960")

    # -- capture the flag ---------------------------------------------------------------------

    def map_end(self):
        self.emit("Timelimit hit.")
        for player in self.rng.sample(self.players, 4):
            text = self.pick(["gg", "gg wp", "gg all"])
            self.emit("%s%s^3: ^3%s" % (player.colour, player.name, text))

    def ctf_events(self, count):
        for _ in range(count):
            self.event_count += 1
            roll = self.rng.random()
            if roll < 0.55:
                self.ctf_kill()
            elif roll < 0.67:
                self.ctf_flag_move()
            elif roll < 0.69:
                self.ctf_suicide()
            else:
                self.side_noise(self.team(self.other(self.player(OWN).team)), respawns=True)

    @staticmethod
    def flag_name(team):
        return "^1Red" if team == RED else "^4Blue"

    def carried_flag(self, player):
        """The flag this player carries, or None."""
        flag = self.other(player.team)
        return flag if self.flags[flag] is player else None

    def drop_flag(self, carrier, flag):
        self.emit("%s%s^7 dropped the %s^7 flag!"
                  % (carrier.colour, carrier.name, self.flag_name(flag)))
        self.flags[flag] = "dropped"

    def ctf_suicide(self):
        victim = self.pick(self.players)
        flag = self.carried_flag(victim)
        if flag:
            self.drop_flag(victim, flag)
        self.suicide(victim)

    def ctf_kill(self):
        killer = self.pick_killer(self.players)
        if self.chance(0.02) and killer.name == OWN:
            victim = self.pick([p for p in self.team(killer.team) if p is not killer])
        else:
            victim = self.pick(self.team(self.other(killer.team)))
        flag = self.carried_flag(victim)
        if not flag:
            self.fight(killer, victim)
            if killer.name == OWN and self.chance(0.08):
                self.emit("You protected the %s flag." % ("Red" if killer.team == RED else "Blue"))
            return

        def drop():
            self.drop_flag(victim, flag)
            if self.chance(0.12):
                self.chat(self.pick(self.players))  # printed in the same frame
        self.fight(killer, victim, before_kill=drop)

    def ctf_flag_move(self):
        flags = self.flags
        for flag in (RED, BLUE):
            state = flags[flag]
            if state == "dropped":
                if self.chance(0.5):
                    returner = self.pick(self.team(flag))
                    self.emit("%s returned the %s flag!"
                              % (returner.name, "RED" if flag == RED else "BLUE"))
                elif self.chance(0.5):
                    self.emit("The %s ^7flag has returned" % self.flag_name(flag))
                else:
                    continue
                flags[flag] = "base"
                return
            if isinstance(state, Player):
                carrier = state
                if self.event_count - self.taken_at[flag] < 12:
                    continue  # still on the way home
                if self.chance(0.45):
                    self.emit("%s%s^7 captured the %s flag!"
                              % (carrier.colour, carrier.name, self.flag_name(flag)))
                    flags[flag] = "base"
                    if self.chance(0.6):
                        self.chat(self.pick(self.players))
                elif self.chance(0.1):
                    self.drop_flag(carrier, flag)  # thrown to a team mate
                else:
                    continue
                return
        flag = self.pick([RED, BLUE])
        if flags[flag] == "base":
            taker = self.pick(self.team(self.other(flag)))
            self.emit("%s%s^7 has taken the %s^7 flag!"
                      % (taker.colour, taker.name, self.flag_name(flag)))
            flags[flag] = taker
            self.taken_at[flag] = self.event_count
            if self.chance(0.3):
                text = self.pick(["got it", "i have the flag, escort", "coming home", "need cover"])
                self.emit("%s%s^7 (%s): ^3%s"
                          % (taker.colour, taker.name, self.pick(self.map_locations), text))

    # -- team survivor ----------------------------------------------------------------------

    def ts_rounds(self, count):
        me = self.player(OWN)
        for _ in range(count):
            alive = {RED: list(self.team(RED)), BLUE: list(self.team(BLUE))}
            while alive[RED] and alive[BLUE]:
                if self.chance(0.25):
                    foes = alive[self.other(me.team)] if me in alive[me.team] else []
                    self.side_noise(foes, respawns=False)
                    continue
                if self.chance(0.03):
                    victim = self.pick(alive[RED] + alive[BLUE])
                    self.suicide(victim)
                    alive[victim.team].remove(victim)
                    continue
                killer = self.pick_killer(alive[RED] + alive[BLUE])
                victim = self.pick(alive[self.other(killer.team)])
                self.fight(killer, victim)
                alive[victim.team].remove(victim)
            winners = alive[RED] or alive[BLUE]
            if self.chance(0.7):
                self.chat(self.pick(winners))

    # -- the evening -----------------------------------------------------------------------

    def play(self):
        self.start_up()
        self.server = "203.0.113.45:27960"
        self.connect(self.server, [])
        self.load_map("ut4_abbey", 3875,
                      "WARNING: Couldn't find sound file sound/ambience/abbey_bell02.wav")
        self.map_locations = ["Patio Courtyard", "Cloisters", "Bell Tower", "Red Flag",
                              "Blue Flag", "Crypt"]
        self.emit("^5PunkBuster Client: PunkBuster Client (v1.743 | A1386 C2.213) Enabled")
        self.punkbuster_guid(OWN, 4)
        self.join(OWN, BLUE, announce_connect=False)
        for name, team in (("[FU]Rasec", BLUE), ("=LK=Nitro", BLUE), ("Blub", BLUE),
                           ("Sn4ke", BLUE), ("Fak", RED), ("pascochasco", RED), ("Kr4ken", RED),
                           ("Dr Pepper", RED), ("Lupin", RED)):
            self.players.append(Player(name, team))
        self.ctf_events(760)
        self.map_end()

        self.load_map("ut4_algiers", 2740)
        self.map_locations = ["Market", "Red Base", "Blue Base", "Tunnels", "Rooftops", "Mosque"]
        self.join("maggot", RED)
        self.punkbuster_guid("maggot", 11)
        self.ctf_events(520)
        self.join("|ZeD|Tomtom", BLUE)
        self.ctf_events(300)
        self.map_end()

        self.load_map("ut4_uptown", 2288)
        self.map_locations = ["Red Spawn", "Blue Spawn", "Church", "Bridge", "Courtyard", "Garage"]
        self.ctf_events(400)
        self.video_restart(2288)
        self.ctf_events(360)
        self.leave("Lupin")
        self.ctf_events(120)
        self.map_end()

        self.load_map("ut4_austria", 4112,
                      "WARNING: RE_RegisterModel: Could not load "
                      "models/mapobjects/austria/gondola.md3")
        self.map_locations = ["Red Flag", "Blue Flag", "Chalet", "Cable Car", "Mid", "Ski Lift"]
        self.leave("|ZeD|Tomtom")
        self.ctf_events(720)
        self.map_end()
        self.emit("^4[FU]Rasec^3: ^3moving to the TS server, see you there")

        # Another server with another pure list: the file system starts over first.
        self.server = "198.51.100.23:27961"
        self.players = []
        self.connect(self.server, [("ut4_turnpike_b2.pk3", 41)])
        self.load_map("ut4_turnpike", 2611)
        self.map_locations = ["Gas Station", "Bridge", "Alley", "Motel", "Underpass"]
        self.punkbuster_guid(OWN, 2)
        self.join(OWN, RED, announce_connect=False)
        for name, team in (("Fak", RED), ("Kr4ken", RED), ("Dr Pepper", RED), ("Lupin", RED),
                           ("[FU]Rasec", BLUE), ("=LK=Nitro", BLUE), ("pascochasco", BLUE),
                           ("Sn4ke", BLUE), ("Blub", BLUE)):
            self.players.append(Player(name, team))
        self.ts_rounds(9)
        self.rename("Sn4ke", "[FU]Sn4ke")
        self.ts_rounds(11)
        self.map_end()

        self.load_map("ut4_casa", 1980,
                      "WARNING: Couldn't find sound file sound/ambience/casa_fountain.wav")
        self.map_locations = ["Kitchen", "Pool", "Garage", "Balcony", "Cellar"]
        self.rename("Blub", "Blub|afk")
        self.emit("^4Blub|afk^3: ^3brb phone")
        self.ts_rounds(8)
        self.rename("Blub|afk", "Blub")
        self.join("maggot", BLUE)
        self.join("|ZeD|Tomtom", RED)
        self.ts_rounds(12)
        self.map_end()

        self.load_map("ut4_tombs", 1733)
        self.map_locations = ["Tomb", "Pyramid", "Sand Pit", "Temple", "Stairs"]
        self.leave("Dr Pepper")
        self.ts_rounds(18)
        self.map_end()
        self.emit("^1%s^3: ^3gg all, off to bed" % OWN)
        self.quit()


def main():
    evening = Evening(SEED)
    evening.play()
    target = Path(__file__).with_name("long_session.log")
    target.write_bytes(("\n".join(evening.lines) + "\n").encode("latin-1"))


if __name__ == "__main__":
    main()
