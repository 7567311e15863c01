#!/usr/bin/env python3
"""Writes the sample level Ship (Ship/Ship.txt and Ship/Archetypes/*.arc).

The level files are committed; this script only saves typing when the layout
changes. Run it from anywhere: python3 Resources/Levels/make_ship.py

Layout: rooms on a 50-unit grid around the Bridge (room 0, the centre), in
the shape of a plus with a ring of four corner rooms. Squared distances from
the centre put the rooms in the flood rings: 2500 (ring 1), 5000 (ring 2),
10000 (ring 3) and 22500 (ring 4). Every pair of neighbouring rooms shares a
wall with a door in it; the outer sides are plain walls.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
SHIP = os.path.join(HERE, "Ship")
SPACING = 50.0
HALF = 25.0          # half the size of a room
ROOM_HEIGHT = 10.0
WALL_HEIGHT = 6.0
GAP = 2.5            # half the width of a doorway
DOOR_HEIGHT = 5.0

# (room id, name, grid x, grid z); north is +z.
ROOMS = [
    (0, "Bridge", 0, 0),
    (1, "Galley", 1, 0), (2, "Mess Hall", 0, 1), (3, "Crew Quarters", -1, 0), (4, "Armoury", 0, -1),
    (5, "Chart Room", 1, 1), (6, "Infirmary", -1, 1), (7, "Laundry", -1, -1), (8, "Radio Room", 1, -1),
    (9, "East Pod Bay", 2, 0), (10, "North Pod Bay", 0, 2), (11, "West Pod Bay", -2, 0), (12, "Cargo Hold", 0, -2),
    (13, "Engine Room", 3, 0), (14, "Bow Store", 0, 3), (15, "Boiler Room", -3, 0), (16, "Stern Hold", 0, -3),
]
KEY_DOORS = {frozenset(("North Pod Bay", "Bow Store")), frozenset(("Cargo Hold", "Stern Hold"))}
PODS = [("Pod East", "East Pod Bay", (8, -8)), ("Pod North", "North Pod Bay", (-8, 8)), ("Pod West", "West Pod Bay", (-8, -8))]
PICKUPS = [
    ("Power Cell 1", "PowerCell", "Engine Room", (10, 10)),
    ("Power Cell 2", "PowerCell", "Bow Store", (-10, 10)),
    ("Power Cell 3", "PowerCell", "Boiler Room", (-10, -10)),
    ("Power Cell 4", "PowerCell", "Stern Hold", (10, -10)),
    ("Key Card 1", "KeyCard", "Chart Room", (0, 0)),
    ("Key Card 2", "KeyCard", "Laundry", (0, 0)),
]
POD_HULL = (2.9, 3.9, 2.9)  # inside the pod's box, so a highlighted pod covers it
SPAWNS = [(-4, 4), (4, 4), (-4, -4), (4, -4)]


def num(value):
    text = "%g" % value
    return "0" if text == "-0" else text


class Writer:
    def __init__(self):
        self.lines = []

    def line(self, depth, text):
        self.lines.append("\t" * depth + text)

    def value(self, depth, name, value):
        if isinstance(value, bool):
            value = "1" if value else "0"
        elif isinstance(value, float):
            value = num(value)
        self.line(depth, "%s : %s" % (name, value))

    def vec(self, depth, name, xyz, kind="MetaVec3"):
        self.line(depth, "%s : %s%s" % (name, "\t" * depth, kind))
        self.line(depth, "{")
        for axis, v in zip(("w_", "x_", "y_", "z_") if len(xyz) == 4 else ("x_", "y_", "z_"), xyz):
            self.value(depth + 1, axis, float(v))
        self.line(depth, "}")

    def component(self, name, members):
        """members: list of (name, value) where value is a scalar, a tuple (vector) or a list of strings."""
        self.line(1, name)
        self.line(1, "{")
        for member, value in members:
            if isinstance(value, tuple):
                self.vec(2, member, value, "MetaVec4" if len(value) == 4 else "MetaVec3")
            elif isinstance(value, list):
                self.line(2, "%s : %s " % (member, ", ".join(value)))
            else:
                self.value(2, member, value)
        self.line(1, "}")

    def transform(self, position, scale=None):
        self.line(1, "Transform")
        self.line(1, "{")
        self.line(2, "transformData : \t\tTransformData")
        self.line(2, "{")
        self.vec(3, "WorldPosition", position)
        if scale is not None:
            self.vec(3, "WorldScalar", scale)
        self.line(2, "}")
        self.line(1, "}")

    def begin(self, head, name):
        self.line(0, head)
        self.line(0, "{")
        self.value(1, "mName", name)

    def end(self):
        self.line(0, "}")
        self.line(0, "")

    def text(self):
        return "\n".join(self.lines) + "\n"


def vec4(r, g, b, a):
    # MetaVec4 members are written in name order: w_ x_ y_ z_ (w is alpha).
    return (a, r, g, b)


def renderable(model, color, textures=("defaulttexture",), visible=True, shader="defaultshader", transparent=False):
    return ("Renderable", [("m_BlendFactors", vec4(0.75, 0.75, 0.75, 1)), ("m_Color", color),
                           ("m_ModelName", model), ("m_ShaderName", shader), ("m_TextureName", list(textures)),
                           ("m_Transparent", transparent), ("m_Visible", visible)])


def box(half, ghost):
    return ("Collider", [("m_AabbHalfExtents", half), ("m_ObbLocalCenter", (0, 0, 0)),
                         ("m_ObbScale", tuple(2 * h for h in half)), ("m_collisionGroup", 0),
                         ("m_ghost", ghost), ("m_shapeType", 1)])


def body(static, damping=1.0, mass=1.0):
    return ("RigidBody", [("m_damping", float(damping)), ("m_invMass", 0.0 if static else 1.0 / mass),
                          ("m_mass", 0.0 if static else float(mass)), ("m_static", static),
                          ("m_useGravity", False), ("m_velocity", (0, 0, 0))])


def archetype(name, parts, scale=None, position=(0, 0, 0)):
    w = Writer()
    w.begin("Object", name)
    for part in parts:
        if part == "Transform":
            w.transform(position, scale)
        else:
            w.component(*part)
    w.end()
    with open(os.path.join(SHIP, "Archetypes", name + ".arc"), "w") as f:
        f.write(w.text())


def gun(spread):
    return ("Gun", [("mAmmoType", 1 if spread else 0), ("mCDPerFrame", 20.0), ("mHeatPerRifleShot", 12.0),
                    ("mHeatPerSpreadShot", 30.0), ("mMaxHeatLevel", 100.0), ("mMuzzleVel", 40.0),
                    ("mPelletsPerSGBlast", 5), ("mShotDelay", 0.4), ("mShotOriginDisplacement", 1.0),
                    ("mSpreadDelay", 0.9), ("mSpreadGunBlastRadius", 0.6)])


def write_archetypes():
    grey = vec4(0.5, 0.5, 0.55, 1)
    archetype("Player", [
        "Transform", body(False, damping=0.0), box((0.5, 1, 0.5), False),
        ("Controller", [("mLookSpeed", 4.0)]), ("Camera", []),
        ("PlayerStats", [("Damp_", 0.0), ("Speed_", 10.0)]), gun(False),
        ("Light", [("diffuse_", (1, 1, 0.9)), ("direction_", (0, 0, -1)), ("exteriorAngle_", 30.0),
                   ("intensity_", 2.0), ("interiorAngle_", 15.0), ("lightType_", 1), ("range_", 25.0)]),
        renderable("player", vec4(0.9, 0.9, 0.9, 1), ("diver",), shader="textureshader"),
    ], scale=(1, 2, 1), position=(0, 1, 0))
    archetype("Room", ["Transform", box((HALF, ROOM_HEIGHT / 2, HALF), True),
                       ("RoomComponent", [("m_FillLevel", 0.0), ("m_RoomID", 0), ("m_RoomIsFilling", False)]),
                       renderable("room", vec4(0.3, 0.3, 0.35, 1), ("deckplates",), shader="textureshader")],
              scale=(2 * HALF, ROOM_HEIGHT, 2 * HALF), position=(0, ROOM_HEIGHT / 2, 0))
    long_side, short_side = 2 * HALF, HALF - GAP
    for name, half in (("WallAlongX", (long_side / 2, WALL_HEIGHT / 2, 0.5)),
                       ("WallAlongZ", (0.5, WALL_HEIGHT / 2, long_side / 2)),
                       ("WallPieceAlongX", (short_side / 2, WALL_HEIGHT / 2, 0.5)),
                       ("WallPieceAlongZ", (0.5, WALL_HEIGHT / 2, short_side / 2))):
        archetype(name, ["Transform", body(True), box(half, False), renderable("wall", grey)],
                  scale=tuple(2 * h for h in half), position=(0, WALL_HEIGHT / 2, 0))
    for axis, half, trigger in (("X", (GAP, DOOR_HEIGHT / 2, 0.5), (GAP, 1, 4)),
                                ("Z", (0.5, DOOR_HEIGHT / 2, GAP), (4, 1, GAP))):
        archetype("DoorAlong" + axis, [
            "Transform", body(True), box(half, False),
            ("DoorComponent", [("m_closes_automatically", True), ("m_is_open", False), ("m_left_room_id", 0),
                               ("m_locked", False), ("m_requires_key", False), ("m_right_room_id", 0),
                               ("m_time_locked", 0.0)]),
            renderable("door", vec4(0.7, 0.6, 0.2, 1))], scale=tuple(2 * h for h in half),
            position=(0, DOOR_HEIGHT / 2, 0))
        archetype("DoorTriggerAlong" + axis, [
            "Transform", box(trigger, True), ("InteractorComponent", [("m_name_of_bound_door", "")]),
            renderable("trigger", vec4(1, 1, 1, 1), visible=False)], scale=tuple(2 * h for h in trigger),
            position=(0, 1, 0))
    # A pod's interactor must sit on the pod: charging and launching address
    # the interactor's own object, and only a pod with a Renderable flies. So
    # the pod wears its interactor's saved look (colour 0: unseen) while
    # nobody is at it, and a hull a little smaller than the pod is what
    # players see; the host makes the hull ride the pod once it launches.
    archetype("EscapePod", ["Transform", body(True), box((1.5, 2, 1.5), True),
                            ("EscapePod", [("m_IsLaunchable", False), ("m_LauncherID", 0),
                                           ("m_PlayerActivatedBy", 0)]),
                            ("InteractorComponent", [("m_name_of_bound_door", "")]),
                            renderable("pod", vec4(0.9, 0.4, 0.1, 1), ("pod_hull",), shader="textureshader")],
              scale=(3, 4, 3), position=(0, 2, 0))
    archetype("PodHull", ["Transform", renderable("pod", vec4(0.9, 0.4, 0.1, 1), ("pod_hull",),
                                                  shader="textureshader")],
              scale=POD_HULL, position=(0, 2, 0))
    for name, kind, model, color in (("PowerCell", "PowerCell", "powercell", vec4(0.2, 0.9, 0.3, 1)),
                                     ("KeyCard", "KeyCard", "keycard", vec4(0.2, 0.4, 1, 1))):
        archetype(name, ["Transform", box((0.5, 0.5, 0.5), False), ("PickupComponent", [("m_PickupType", kind)]),
                         renderable(model, color)], scale=(1, 1, 1), position=(0, 1, 0))
    # The plate finds its door through its own interactor, so the part players
    # see is a marker of its own.
    archetype("PressurePlate", ["Transform", box((1.5, 0.25, 1.5), True), ("PressurePlate", []),
                                ("InteractorComponent", [("m_name_of_bound_door", "")]),
                                renderable("trigger", vec4(1, 1, 1, 1), visible=False)], scale=(3, 0.5, 3),
              position=(0, 0.05, 0))
    archetype("PlateMarker", ["Transform", renderable("plate", vec4(0.6, 0.6, 0.6, 1))], scale=(3, 0.5, 3),
              position=(0, 0.05, 0))
    archetype("Rules", [("LevelRuleset", [("mDeathsAllowedPerPlayer", 1), ("mKillsNeededToWin", 0),
                                          ("mPlayerMovementDecay", 0.0), ("mTimeActive", 0.0),
                                          ("mTimeLimit", 300.0)])])
    archetype("Console", ["Transform", renderable("console", vec4(0.2, 0.8, 0.8, 1), ("console_idle",),
                                                  shader="textureshader"),
                          ("TimedTextureChangeBehavior", [("mCurrentTexture", "console_idle"),
                                                          ("mTextureToChangeTo", "console_alarm"),
                                                          ("mTimeChanged", 0.0), ("mTimeToChangeFor", 60.0)])],
              scale=(6, 1.5, 1), position=(0, 0.75, 0))
    # What the engine spawns while playing.
    for name, model, life in (("BulletArc", "bullet", 1.5), ("PelletArc", "pellet", 0.6)):
        archetype(name, ["Transform", body(False, damping=1.0, mass=0.1), box((0.1, 0.1, 0.1), True),
                         ("Owner", [("Owner_", 0)]), ("LifeTime", [("timeAllowedToLive_", life),
                                                                   ("timeSpentAlive_", 0.0)]),
                         ("DamageDealer", [("Damage_", 10.0)]), renderable(model, vec4(1, 0.9, 0.3, 1))],
                  scale=(0.2, 0.2, 0.2), position=(0, 1, 0))
    archetype("FloodCube", ["Transform", renderable("floodwater", vec4(0.1, 0.3, 0.8, 0.6), ("water",),
                                                    transparent=True)], position=(0, -10, 0))
    archetype("WarningLight", ["Transform",
                               ("Light", [("diffuse_", (1, 0.1, 0.1)), ("intensity_", 3.0), ("lightType_", 0),
                                          ("range_", 40.0)]),
                               renderable("warninglight", vec4(1, 0, 0, 1))], scale=(1, 1, 1),
              position=(0, 9, 0))
    colours = [(1, 0.3, 0.3), (0.3, 1, 0.3), (0.3, 0.5, 1), (1, 1, 0.3)]
    for n in range(1, 5):
        archetype("Player_%d_Flare" % n, [
            "Transform", ("Light", [("diffuse_", colours[n - 1]), ("intensity_", 2.0), ("lightType_", 0),
                                    ("range_", 15.0)]),
            ("LifeTime", [("timeAllowedToLive_", 15.0), ("timeSpentAlive_", 0.0)]),
            renderable("flare", vec4(*colours[n - 1], 1))], scale=(0.3, 0.3, 0.3), position=(0, 0.15, 0))


def write_level():
    w = Writer()
    by_name = {name: (rid, gx, gz) for rid, name, gx, gz in ROOMS}
    by_cell = {(gx, gz): (rid, name) for rid, name, gx, gz in ROOMS}

    def centre(name):
        _, gx, gz = by_name[name]
        return gx * SPACING, gz * SPACING

    w.line(0, "Rules")
    w.line(0, "{")
    w.value(1, "mName", "Match Rules")
    w.line(0, "}")
    w.line(0, "")

    for rid, name, gx, gz in ROOMS:
        w.begin("Room", name)
        w.transform((gx * SPACING, ROOM_HEIGHT / 2, gz * SPACING), (2 * HALF, ROOM_HEIGHT, 2 * HALF))
        w.component("RoomComponent", [("m_RoomID", rid)])
        w.end()

    doors = []
    for (gx, gz), (rid, name) in sorted(by_cell.items()):
        # Each room owns its east and north sides; its west and south sides
        # belong to the neighbours there, or are outer walls.
        for dx, dz in ((1, 0), (0, 1), (-1, 0), (0, -1)):
            neighbour = by_cell.get((gx + dx, gz + dz))
            if neighbour is not None and (dx < 0 or dz < 0):
                continue
            x = gx * SPACING + dx * HALF
            z = gz * SPACING + dz * HALF
            along = "Z" if dx != 0 else "X"
            if neighbour is None:
                w.begin("WallAlong" + along, "Hull")
                size = (1, WALL_HEIGHT, 2 * HALF) if along == "Z" else (2 * HALF, WALL_HEIGHT, 1)
                w.transform((x, WALL_HEIGHT / 2, z), size)
                w.end()
                continue
            piece = HALF - GAP
            for sign in (-1, 1):
                offset = sign * (GAP + piece / 2)
                w.begin("WallPieceAlong" + along, "Bulkhead")
                if along == "Z":
                    w.transform((x, WALL_HEIGHT / 2, z + offset), (1, WALL_HEIGHT, piece))
                else:
                    w.transform((x + offset, WALL_HEIGHT / 2, z), (piece, WALL_HEIGHT, 1))
                w.end()
            doors.append((name, neighbour[1], x, z, along))

    for a, b, x, z, along in doors:
        door = "Door %s - %s" % (a, b)
        w.begin("DoorAlong" + along, door)
        w.transform((x, DOOR_HEIGHT / 2, z), (1, DOOR_HEIGHT, 2 * GAP) if along == "Z" else (2 * GAP, DOOR_HEIGHT, 1))
        w.component("DoorComponent", [("m_closes_automatically", True), ("m_left_room_id", by_name[a][0]),
                                      ("m_requires_key", frozenset((a, b)) in KEY_DOORS),
                                      ("m_right_room_id", by_name[b][0])])
        w.end()
        w.begin("DoorTriggerAlong" + along, "Switch %s - %s" % (a, b))
        w.transform((x, 1, z), (8, 2, 2 * GAP) if along == "Z" else (2 * GAP, 2, 8))
        w.component("InteractorComponent", [("m_name_of_bound_door", door)])
        w.end()

    w.begin("PressurePlate", "Bridge Plate")
    w.transform((0, 0.05, -12), (3, 0.5, 3))
    w.component("InteractorComponent", [("m_name_of_bound_door", "Door Armoury - Bridge")])
    w.end()
    w.begin("PlateMarker", "Bridge Plate Marker")
    w.transform((0, 0.05, -12), (3, 0.5, 3))
    w.end()
    w.begin("Console", "Bridge Console")
    w.transform((0, 0.75, 12), (6, 1.5, 1))
    w.end()

    for name, room, (ox, oz) in PODS:
        cx, cz = centre(room)
        w.begin("EscapePod", name)
        w.transform((cx + ox, 2, cz + oz), (3, 4, 3))
        w.component("InteractorComponent", [("m_name_of_bound_door", name)])
        w.end()
        w.begin("PodHull", name + " Hull")
        w.transform((cx + ox, 2, cz + oz), POD_HULL)
        w.end()
    for name, archetype_name, room, (ox, oz) in PICKUPS:
        cx, cz = centre(room)
        w.begin(archetype_name, name)
        w.transform((cx + ox, 1, cz + oz), (1, 1, 1))
        w.end()

    for n, (sx, sz) in enumerate(SPAWNS, start=1):
        w.begin("Player", "Player%d" % n)
        w.transform((sx, 1, sz), (1, 2, 1))
        if n == 2:
            w.component(*gun(True))
        w.end()

    with open(os.path.join(SHIP, "Ship.txt"), "w") as f:
        f.write(w.text())


if __name__ == "__main__":
    os.makedirs(os.path.join(SHIP, "Archetypes"), exist_ok=True)
    write_archetypes()
    write_level()
