// The browser build's page played in headless Chromium as a player would:
// the start-up question answered, the board looked at, the snake steered
// with held arrow keys, F1 and Escape pressed, the tab hidden.
//
//   node play.cjs SCENARIO DIR [--render-frames TOOL] [--shots DIR]
//
// DIR is the build's page (build/web). Scenarios:
//   windowed    No at the start: a 640x480 canvas, focused; the first
//               frame's cells, and the frame against the Linux build's
//               (drawn by its render-frames TOOL on a virtual X display):
//               the board the same to the pixel, the score line nearly so; the
//               arrows steer and do not scroll the page; Escape ends the
//               game, the page says so and plays again on its button
//   fullscreen  F1 into fullscreen (the canvas scaled to the screen, aspect
//               kept) and back, the game going on; Escape in fullscreen
//   refused     Yes at the start: the browser refuses fullscreen without a
//               key press, the fallback question follows, Yes plays windowed
//   declined    the same, No: "Program Will Now Close." and the end, status 1
//   no-font     the font not served: the board without a score line, no crash
//   no-webgl    a browser without WebGL: "Can't Create A GL Rendering
//               Context." and the end, status 1
//   no-program  quellor.wasm not served: the page says the game stopped
//   hidden      a hidden tab is a minimised window: the game stands still
//               and goes on when the tab is shown again
// Exits 0 when every check holds, 1 with the reason otherwise.
"use strict";
const fs = require("fs");
const path = require("path");
const {
  Serve, Launch, Close, OpenGame, Until, Look, HoldKey, sleep, DecodePng, Picture, Brightness, FirstBoard, UnderScore,
  WhiteCells, BoardProblems,
} = require("./page.cjs");

const [scenario, dir] = process.argv.slice(2);
const option = (name) => {
  const i = process.argv.indexOf(name);
  return i > 0 ? process.argv[i + 1] : undefined;
};
const renderFrames = option("--render-frames");
const shots = option("--shots") || fs.mkdtempSync(path.join(require("os").tmpdir(), "quellor-page-"));
fs.mkdirSync(shots, { recursive: true });

// The Linux build's first frame, drawn by its render-frames tool.
function LinuxFirstFrame() {
  const xvfb = path.join(__dirname, "..", "..", "tools", "with-xvfb.sh");
  const made = require("child_process").spawnSync(xvfb, [renderFrames, "--out", shots, "0"], { encoding: "utf8" });
  Check(made.status === 0, "render-frames failed: " + made.stderr);
  return DecodePng(fs.readFileSync(path.join(shots, "frame-0000.png")));
}

const kTitle = "Quellor, coded by r0vane";
const kQuestion = "Start FullScreen?\n\nWould You Like To Run In Fullscreen Mode?";
const kFallback = "Orvo GL\n\nThe Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode Instead?";
const kClosing = "ERROR\n\nProgram Will Now Close.";

function Check(condition, what) {
  if (!condition) throw new Error(what);
}

// ---------------------------------------------------------------- the page
const CanvasState = (page) => Look(page, () => {
  const canvas = document.querySelector("#game canvas:not([hidden])");
  if (!canvas) return null;
  const box = canvas.getBoundingClientRect();
  return {
    width: canvas.width, height: canvas.height, left: box.left, top: box.top, cssWidth: box.width, cssHeight: box.height,
    focused: document.activeElement === canvas, fullscreen: document.fullscreenElement ? document.fullscreenElement.id : "",
    cursor: getComputedStyle(canvas).cursor, title: document.title, scrollY: window.scrollY,
    swaps: Module.quellorWeb ? Module.quellorWeb.swaps.length : 0,
  };
});

// The canvas as the player sees it, when it is shown at 640x480.
async function Frame(page, name) {
  const state = await CanvasState(page);
  Check(state, "no game window on the page");
  const picture = await Picture(page, { x: state.left, y: state.top, width: 640, height: 480 });
  if (name) fs.writeFileSync(path.join(shots, name + ".png"), await page.screenshot({ clip: { x: state.left, y: state.top, width: 640, height: 480 } }));
  return picture;
}

// The first frame drawn: the board in place, the snake where a game starts.
async function FirstFrame(page, name) {
  await Until("the game window", () => CanvasState(page));
  let problems = [];
  await Until("the first frame", async () => {
    problems = BoardProblems(await Frame(page), FirstBoard());
    return problems.length === 0;
  }).catch(() => { throw new Error("the first frame is not the board: " + problems.slice(0, 5).join("; ")); });
  return Frame(page, name);
}

async function Ended(page, status) {
  await Until("the page to say the game has ended", () => Look(page, () => document.body.dataset.state === "ended"), 10000);
  const said = await Look(page, () => ({
    text: document.getElementById("status").innerText, button: !document.getElementById("again").hidden,
    focused: document.activeElement && document.activeElement.id, canvases: document.querySelectorAll("#game canvas").length,
    fullscreen: !!document.fullscreenElement, title: document.title, exitStatus: document.body.dataset.exitStatus,
  }));
  Check(said.text.includes(`The game has ended (exit status ${status}).`), `the page says "${said.text}"`);
  Check(said.button && said.focused === "again", "no Play again button to press");
  Check(said.canvases === 0, "a game window is left on the page");
  Check(!said.fullscreen, "the page is still fullscreen");
  Check(said.title === "Quellor", `the title is "${said.title}" after the end`);
  // Nothing changes any more where the game was.
  const area = await Look(page, () => { const r = document.getElementById("game").getBoundingClientRect(); return { x: r.left, y: r.top, width: r.width, height: r.height }; });
  const before = await page.screenshot({ clip: area });
  await sleep(400);
  Check(Buffer.compare(before, await page.screenshot({ clip: area })) === 0, "the game area still changes after the end");
}

// The bright pixels of the score line, inside the walls in the frame's upper left.
function ScoreLinePixels(picture) {
  let bright = 0;
  for (let y = 16; y < 76; ++y) for (let x = 20; x < 300; ++x) if (Brightness(picture, x, y) > 128) ++bright;
  return bright;
}

// The snake's cells, as [x, y]: the white cells away from the walls (the
// food is among them, but lies apart from where the checks look).
const SnakeOf = (picture, scale, left, top) => [...WhiteCells(picture, scale, left, top)].map((c) => c.split(",").map(Number));

// ---------------------------------------------------------------- scenarios
const scenarios = {
  async windowed(browser, server) {
    // A page shorter than the window's area, so that arrows could scroll it.
    const page = await OpenGame(browser, server.url, [false], { width: 1280, height: 520 });
    const first = await FirstFrame(page, "windowed-first");
    Check(page.boxes[0] === kQuestion, `the first box says ${JSON.stringify(page.boxes[0])}`);
    const state = await CanvasState(page);
    Check(state.width === 640 && state.height === 480, `canvas of ${state.width}x${state.height} pixels`);
    Check(state.cssWidth === 640 && state.cssHeight === 480, `canvas shown at ${state.cssWidth}x${state.cssHeight}`);
    Check(state.focused, "the canvas does not have the keyboard focus");
    Check(state.fullscreen === "", "fullscreen without being asked");
    Check(state.title === kTitle, `the page's title is "${state.title}"`);
    // The score line: SCORE: and a 0, in its corner.
    const text = ScoreLinePixels(first);
    Check(text > 400, `no score line (${text} bright pixels in its corner)`);

    if (renderFrames) {
      const linux = LinuxFirstFrame();
      let board = 0, score = 0;
      for (let y = 0; y < 480; ++y)
        for (let x = 0; x < 640; ++x) {
          const i = (y * 640 + x) * 4;
          const same = first.rgba[i] === linux.rgba[i] && first.rgba[i + 1] === linux.rgba[i + 1] && first.rgba[i + 2] === linux.rgba[i + 2];
          if (!same && UnderScore(x, y)) ++score;
          else if (!same) ++board;
        }
      console.log(`pixels differing from the Linux build's first frame: ${board} on the board, ${score} in the score line's corner`);
      Check(board === 0, `${board} pixels of the board differ from the Linux build's first frame`);
      Check(score <= 200, `${score} pixels of the score line differ from the Linux build's`);
    } else {
      console.log("no Linux build named (--render-frames): the first frame is not compared with its");
    }

    // Up: the head leaves the middle row upwards; then Left: it runs left.
    await HoldKey(page, "ArrowUp");
    await Until("the snake to run up", async () => SnakeOf(await Frame(page)).some(([x, y]) => x === 59 && y >= 43));
    await HoldKey(page, "ArrowLeft");
    await Until("the snake to run left", async () => SnakeOf(await Frame(page)).some(([x, y]) => x <= 56 && y >= 43));
    await Frame(page, "windowed-steered");
    Check((await CanvasState(page)).scrollY === 0, "the arrow keys scrolled the page");

    await HoldKey(page, "Escape");
    await Ended(page, 0);
    // Play again: the page starts anew with the question.
    await page.click("#again");
    await Until("the question again", () => page.boxes.length === 2);
    await FirstFrame(page);
    await page.close();
  },

  async fullscreen(browser, server) {
    const page = await OpenGame(browser, server.url, [false], { width: 1280, height: 720 });
    await FirstFrame(page);
    // Whether the page kept each key from the browser (F1 opens no help).
    await Look(page, () => {
      window.keptKeys = {};
      window.addEventListener("keydown", (event) => { window.keptKeys[event.code] = event.defaultPrevented; });
    });
    await HoldKey(page, "F1");
    await Until("fullscreen", async () => (await CanvasState(page) || {}).fullscreen === "game");
    // The 640x480 canvas fills the 1280x720 screen's height, 1.5 times
    // larger, with black bars at the sides.
    const whole = { x: 0, y: 0, width: 1280, height: 720 };
    const Scaled = async () => SnakeOf(await Picture(page, whole), 1.5, 160, 0);
    let problems = [];
    await Until("the board scaled to the screen", async () => {
      problems = BoardProblems(await Picture(page, whole), FirstBoard(), 1.5, 160, 0);
      return problems.length === 0;
    }).catch(() => { throw new Error("fullscreen: " + problems.slice(0, 5).join("; ")); });
    fs.writeFileSync(path.join(shots, "fullscreen.png"), await page.screenshot({ clip: whole }));
    const full = await CanvasState(page);
    Check(full.width === 640 && full.height === 480, `the canvas has ${full.width}x${full.height} pixels in fullscreen`);
    Check(full.cursor === "none", "the cursor shows in fullscreen");
    const bars = await Picture(page, whole);
    for (const [x, y] of [[20, 360], [150, 100], [1130, 600], [1270, 10]])
      Check(Brightness(bars, x, y) < 30, `the bar at ${x},${y} is not black`);
    // The game goes on in fullscreen: up a little, then left, the longest
    // way to a wall.
    await HoldKey(page, "ArrowUp");
    await Until("the snake to run up in fullscreen", async () => (await Scaled()).some(([x, y]) => x === 59 && y >= 42));
    await HoldKey(page, "ArrowLeft");
    await Until("the snake to run left in fullscreen", async () => (await Scaled()).some(([x, y]) => x <= 56 && y >= 42));

    await HoldKey(page, "F1");
    await Until("a window again", async () => {
      const state = await CanvasState(page);
      return state && state.fullscreen === "" && state.cssWidth === 640 && state.cssHeight === 480;
    });
    const windowed = await CanvasState(page);
    Check(windowed.cursor !== "none", "the cursor is still hidden after fullscreen");
    const kept = await Look(page, () => window.keptKeys);
    for (const code of ["F1", "ArrowUp", "ArrowLeft"]) Check(kept[code] === true, `the browser acted on ${code} too`);
    // The same game, going on: the snake is where it ran to, not where a
    // game starts, and runs on to the left.
    const seen = SnakeOf(await Frame(page, "after-fullscreen"));
    Check(seen.some(([, y]) => y >= 42), "the snake is not where it ran to before the switch");
    const tail = Math.min(...seen.filter(([, y]) => y >= 42).map(([x]) => x));
    await Until("the game to go on after fullscreen",
                async () => SnakeOf(await Frame(page)).some(([x, y]) => x <= tail - 3 && y >= 42));

    await HoldKey(page, "F1");
    await Until("fullscreen again", async () => (await CanvasState(page) || {}).fullscreen === "game");
    // Escape reaches the game once the browser keeps it for the page.
    await Until("Escape kept for the game", () => Look(page, () => Module.quellorWeb.escapeKept));
    await HoldKey(page, "Escape");
    await Ended(page, 0);
    await page.close();
  },

  async refused(browser, server) {
    const page = await OpenGame(browser, server.url, [true, true]);
    await FirstFrame(page, "refused-first");
    Check(page.boxes[1] === kFallback, `the second box says ${JSON.stringify(page.boxes[1])}`);
    const state = await CanvasState(page);
    Check(state.fullscreen === "" && state.cssWidth === 640 && state.cssHeight === 480, "not a 640x480 window after the refusal");
    Check(state.cursor !== "none", "the cursor is hidden in a window");
    await HoldKey(page, "Escape");
    await Ended(page, 0);
    await page.close();
  },

  async declined(browser, server) {
    const page = await OpenGame(browser, server.url, [true, false, true]);
    await Ended(page, 1);
    Check(JSON.stringify(page.boxes) === JSON.stringify([kQuestion, kFallback, kClosing]), `the boxes were ${JSON.stringify(page.boxes)}`);
    await page.close();
  },

  async "no-font"(browser) {
    const bare = await Serve(dir, ["/fonts/DejaVuSans-Bold.ttf"]);
    try {
      const page = await OpenGame(browser, bare.url, [false]);
      const first = await FirstFrame(page, "no-font");
      const text = ScoreLinePixels(first);
      Check(text === 0, `a score line is drawn without its font (${text} bright pixels)`);
      Check(page.messages.some((m) => m.includes("no font fonts/DejaVuSans-Bold.ttf")), "no word of the missing font");
      await HoldKey(page, "ArrowUp");
      await Until("the snake to run up", async () => SnakeOf(await Frame(page)).some(([x, y]) => x === 59 && y >= 43));
      await HoldKey(page, "Escape");
      await Ended(page, 0);
      await page.close();
    } finally {
      bare.close();
    }
  },

  async "no-webgl"(browser, server) {
    const page = await OpenGame(browser, server.url, [false, true], undefined, () => {
      const real = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (type, ...rest) {
        return /webgl/.test(type) ? null : real.call(this, type, ...rest);
      };
    });
    await Ended(page, 1);
    Check(page.boxes[1] === "ERROR\n\nCan't Create A GL Rendering Context.", `the second box says ${JSON.stringify(page.boxes[1])}`);
    await page.close();
  },

  async "no-program"(browser) {
    const bare = await Serve(dir, ["/quellor.wasm"]);
    try {
      const page = await OpenGame(browser, bare.url, []);
      await Until("the page to say the game stopped", () => Look(page, () => document.body.dataset.state === "ended"));
      const said = await Look(page, () => document.getElementById("status").innerText);
      Check(said.startsWith("The game stopped:"), `the page says "${said}"`);
      Check(page.boxes.length === 0, "a box was shown without a program");
      await page.close();
    } finally {
      bare.close();
    }
  },

  async hidden(browser, server) {
    const page = await OpenGame(browser, server.url, [false]);
    await FirstFrame(page);
    const head = (cells) => Math.max(...cells.map(([x]) => x));
    await HoldKey(page, "ArrowRight");
    const before = await Until("the snake to run right", async () => {
      const cells = SnakeOf(await Frame(page));
      return head(cells) >= 61 && cells;
    });
    // Hidden for 1.5 s, some 37 ticks of a running game (no pictures of a
    // hidden tab: the browser draws none).
    const other = await browser.newPage();
    await other.bringToFront();
    await Until("the tab to be hidden", () => Look(page, () => document.hidden));
    const swaps = await Look(page, () => Module.quellorWeb.swaps.length);
    await sleep(1500);
    Check(await Look(page, () => Module.quellorWeb.swaps.length) > swaps, "the program stopped while hidden");
    await page.bringToFront();
    await Until("the tab to be shown", () => Look(page, () => !document.hidden));
    const after = SnakeOf(await Frame(page, "hidden-shown"));
    // A few ticks pass while the tab is being hidden and shown.
    Check(head(after) - head(before) <= 10, `the snake ran on while hidden (head ${head(before)}, then ${head(after)} when shown)`);
    await Until("the game to go on", async () => head(SnakeOf(await Frame(page))) >= head(after) + 3);
    await other.close();
    await HoldKey(page, "Escape");
    await Ended(page, 0);
    await page.close();
  },
};

async function Main() {
  if (!scenarios[scenario] || !dir) {
    console.error("usage: node play.cjs " + Object.keys(scenarios).join("|") + " DIR [--reference PNG] [--shots DIR]");
    return 2;
  }
  const server = await Serve(dir);
  const browser = await Launch();
  try {
    await scenarios[scenario](browser, server);
    console.log(`ok (${scenario}): pictures in ${shots}`);
    return 0;
  } catch (error) {
    console.log(`FAIL (${scenario}): ${error.message}`);
    for (const message of OpenGame.messages) console.log("  page: " + message);
    return 1;
  } finally {
    await Close(browser);
    server.close();
  }
}

Main().then((status) => process.exit(status), (error) => { console.error(error); process.exit(2); });
