// What the browser tests and the browser figures share: the page served
// from a folder on 127.0.0.1, Debian's Chromium started headless with
// SwiftShader's WebGL, the game opened with its questions answered, keys
// held as a hand holds them, pictures of the page read back as pixels, and
// where the game's cells lie in a picture of its 640x480 canvas.
"use strict";
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const zlib = require("zlib");
const puppeteer = require("puppeteer-core");

const types = {
  ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm", ".svg": "image/svg+xml",
  ".ttf": "font/ttf", ".txt": "text/plain",
};

// Serves `dir` on a free port; the paths in `missing` answer 404. Resolves
// to the server, with `url` its address.
function Serve(dir, missing = []) {
  const root = path.resolve(dir);
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    const file = path.join(root, name === "/" ? "index.html" : name);
    if (missing.includes(name) || !file.startsWith(root + path.sep) || !fs.existsSync(file) ||
        !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { "Content-Type": types[path.extname(file)] || "application/octet-stream" });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => {
    server.url = `http://127.0.0.1:${server.address().port}/`;
    resolve(server);
  }));
}

// Debian's Chromium, headless, WebGL through SwiftShader, no network of its own.
async function Launch() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "quellor-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--disable-gpu-sandbox",
           "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run",
           "--disable-background-timer-throttling", "--disable-renderer-backgrounding"],
  });
  browser.profile = profile;
  return browser;
}

// Closes the browser and removes its profile.
async function Close(browser) {
  await browser.close();
  fs.rmSync(browser.profile, { recursive: true, force: true, maxRetries: 10, retryDelay: 100 });
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// Opens the game in a new tab of `browser`, answering its boxes in turn from
// `answers` (true: OK, false: Cancel). Every box's text is kept in
// page.boxes, the console and page errors in page.messages. `prepare`, if
// given, runs in every document the tab loads before the page's own scripts.
async function OpenGame(browser, url, answers, viewport = { width: 1280, height: 720 }, prepare = null) {
  const page = await browser.newPage();
  if (prepare) await page.evaluateOnNewDocument(prepare);
  await page.setViewport(viewport);
  page.boxes = [];
  page.messages = [];
  const Note = (text) => { page.messages.push(text); OpenGame.messages.push(text); };
  page.on("console", (message) => Note(message.type() + ": " + message.text()));
  page.on("pageerror", (error) => Note("pageerror: " + error.message));
  page.on("dialog", async (dialog) => {
    page.boxes.push(dialog.message());
    if (answers.length && answers.shift()) await dialog.accept();
    else await dialog.dismiss();
  });
  await page.goto(url, { waitUntil: "load" });
  return page;
}

// What every page opened said, for a failing test's report.
OpenGame.messages = [];

// Polls `test` (an async function) until it gives something truthy; throws
// `what` when `ms` have passed.
async function Until(what, test, ms = 15000) {
  const end = Date.now() + ms;
  for (;;) {
    const result = await test();
    if (result) return result;
    if (Date.now() > end) throw new Error("waited " + ms + " ms in vain for " + what);
    await sleep(50);
  }
}

// Runs `fn` (with JSON arguments) in the page and gives its result. Unlike
// puppeteer's page.evaluate it is no user gesture, so it never lets the page
// do what only a player's key press or click may (go fullscreen).
async function Look(page, fn, ...args) {
  if (!page.lookSession) page.lookSession = await page.target().createCDPSession();
  const { result, exceptionDetails } = await page.lookSession.send("Runtime.evaluate", {
    expression: `(${fn})(${args.map((a) => JSON.stringify(a)).join(",")})`,
    returnByValue: true, awaitPromise: true, userGesture: false,
  });
  if (exceptionDetails) throw new Error("in the page: " + (exceptionDetails.exception ? exceptionDetails.exception.description : exceptionDetails.text));
  return result.value;
}

// A key pressed and held for a moment, as a hand does: long enough for the
// game's 40 ms passes to see it down.
async function HoldKey(page, key, ms = 150) {
  await page.keyboard.down(key);
  await sleep(ms);
  await page.keyboard.up(key);
}

// ---------------------------------------------------------------- pictures
// A PNG file's pixels as { width, height, rgba } (8-bit RGB or RGBA, not
// interlaced: what Chromium and the render-frames tool write).
function DecodePng(data) {
  let offset = 8, width = 0, height = 0, colourType = 0;
  const compressed = [];
  while (offset < data.length) {
    const length = data.readUInt32BE(offset);
    const type = data.toString("latin1", offset + 4, offset + 8);
    const body = data.subarray(offset + 8, offset + 8 + length);
    if (type === "IHDR") {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      colourType = body[9];
      if (body[8] !== 8 || (colourType !== 2 && colourType !== 6) || body[12] !== 0)
        throw new Error("PNG: only 8-bit RGB or RGBA, not interlaced");
    } else if (type === "IDAT") {
      compressed.push(body);
    }
    offset += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(compressed));
  const channels = colourType === 6 ? 4 : 3, stride = width * channels;
  const rows = Buffer.alloc(stride * height), rgba = Buffer.alloc(width * height * 4);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)], line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let i = 0; i < stride; ++i) {
      const left = i >= channels ? rows[y * stride + i - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + i] : 0;
      const corner = y > 0 && i >= channels ? rows[(y - 1) * stride + i - channels] : 0;
      let value = line[i];
      if (filter === 1) value += left;
      else if (filter === 2) value += up;
      else if (filter === 3) value += (left + up) >> 1;
      else if (filter === 4) {
        const p = left + up - corner, pa = Math.abs(p - left), pb = Math.abs(p - up), pc = Math.abs(p - corner);
        value += pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
      }
      rows[y * stride + i] = value & 255;
    }
    for (let x = 0; x < width; ++x) {
      for (let c = 0; c < 3; ++c) rgba[(y * width + x) * 4 + c] = rows[y * stride + x * channels + c];
      rgba[(y * width + x) * 4 + 3] = channels === 4 ? rows[y * stride + x * channels + 3] : 255;
    }
  }
  return { width, height, rgba };
}

// The page's pixels inside `clip` (CSS pixels at a device pixel ratio of 1).
async function Picture(page, clip) {
  return DecodePng(Buffer.from(await page.screenshot({ type: "png", clip })));
}

function Brightness(picture, x, y) {
  if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return 0;
  const i = (y * picture.width + x) * 4;
  return Math.min(picture.rgba[i], picture.rgba[i + 1], picture.rgba[i + 2]);
}

// ---------------------------------------------------------------- the board
// Where the centre of a cell's front face lands in the game's 640x480 frame
// (rows from the top): the camera at (-54, -40, -100), 45 degrees of view,
// the face at z = 0.5.
function CellCentre(x, y) {
  const f = 1 / Math.tan((22.5 * Math.PI) / 180), aspect = 640 / 480;
  const column = Math.floor(((((x - 54) * f) / aspect / 99.5 + 1) / 2) * 640);
  const row = 479 - Math.floor(((((y - 40) * f) / 99.5 + 1) / 2) * 480);
  return [column, row];
}

// The walls of every board, and the snake and food of a fresh game's first frame.
function FirstBoard() {
  const walls = [];
  for (let y = 0; y <= 80; ++y) walls.push([0, y], [108, y]);
  for (let x = 1; x < 108; ++x) walls.push([x, 0], [x, 80]);
  const snake = [];
  for (let x = 50; x <= 59; ++x) snake.push([x, 40]);
  return { walls, snake, food: [[41, 20]] };
}

// The score line's corner of the frame: cells whose centre lies in it are
// not judged by the board's checks.
function UnderScore(column, row) { return column < 300 && row < 80; }

// Which interior cells are white in a picture of the frame scaled by `scale`
// and placed at (left, top) in it: a set of "x,y". The cells along the
// walls are left out: near the edges of the view a wall cube's side, seen
// in perspective, reaches over their centres.
function WhiteCells(picture, scale = 1, left = 0, top = 0) {
  const white = new Set();
  for (let x = 2; x < 107; ++x)
    for (let y = 2; y < 79; ++y) {
      const [column, row] = CellCentre(x, y);
      if (UnderScore(column, row)) continue;
      const bright = Brightness(picture, Math.floor(left + (column + 0.5) * scale), Math.floor(top + (row + 0.5) * scale));
      if (bright > 200) white.add(x + "," + y);
    }
  return white;
}

// What is wrong with a picture of a board showing `cells` (a FirstBoard-like
// record): walls, snake and food white at their centres, every other cell
// away from them black. An empty list when nothing is.
function BoardProblems(picture, cells, scale = 1, left = 0, top = 0) {
  const problems = [];
  const occupied = new Set();
  const all = [].concat(cells.walls, cells.snake, cells.food);
  for (const [x, y] of all) occupied.add(x + "," + y);
  const At = (x, y) => {
    const [column, row] = CellCentre(x, y);
    return [column, row, Brightness(picture, Math.floor(left + (column + 0.5) * scale), Math.floor(top + (row + 0.5) * scale))];
  };
  for (const [x, y] of all) {
    const [column, row, bright] = At(x, y);
    if (!UnderScore(column, row) && bright <= 200) problems.push(`cell ${x},${y} is not white (${bright})`);
  }
  for (let x = 0; x <= 108; ++x)
    for (let y = 0; y <= 80; ++y) {
      let near = false;
      for (let dx = -1; dx <= 1; ++dx) for (let dy = -1; dy <= 1; ++dy) near = near || occupied.has(x + dx + "," + (y + dy));
      if (near) continue;
      const [column, row, bright] = At(x, y);
      if (!UnderScore(column, row) && bright >= 50) problems.push(`empty cell ${x},${y} is not black (${bright})`);
    }
  return problems;
}

module.exports = {
  Serve, Launch, Close, OpenGame, Until, Look, HoldKey, sleep, DecodePng, Picture, Brightness, CellCentre, FirstBoard, UnderScore,
  WhiteCells, BoardProblems,
};
