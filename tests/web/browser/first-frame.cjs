// Opens the browser build's page in headless Chromium and checks its first
// frame: every wall, snake and food cell is white at the centre of its
// projected front face, every empty cell of the board with no filled
// neighbour black (a neighbour's side face, seen in perspective, may reach
// over a cell's centre near the edges of the view), the canvas opaque; and
// FreeType reads the shipped font's 'S' as the machine's own FreeType does
// (QUELLOR_NATIVE_GLYPH: "contours points advance unitsPerEm"). Writes the
// frame (first-frame.rgba, rows from the bottom) and a screenshot of the
// page (page.png) into DIR. A second page makes its window and context anew
// after the first frame, as F1 does, and must draw the same frame again; a
// third times 200 frames. Prints the figures as JSON.
//
//   node first-frame.cjs DIR     DIR holds index.html and the emcc output
//
// Exits 0 when every check holds, 1 when one fails, 2 when the page never
// drew. The page is served from 127.0.0.1 on a free port.
"use strict";
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

const dir = path.resolve(process.argv[2] || ".");
const chromium = process.env.CHROMIUM || "/usr/bin/chromium";
const types = { ".html": "text/html", ".js": "text/javascript", ".wasm": "application/wasm", ".data": "application/octet-stream" };

function Serve() {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
    const file = path.join(dir, name === "/" ? "index.html" : name);
    if (!file.startsWith(dir + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { "Content-Type": types[path.extname(file)] || "application/octet-stream" });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

// Runs in the page: the checks on the read-back frame.
function CheckFrame() {
  const spike = window.quellorSpike, pixels = window.quellorPixels;
  const width = 640, height = 480, aspect = width / height;
  const f = 1 / Math.tan((22.5 * Math.PI) / 180);
  // The centre of a cell's front face (z = 0.5) with the camera at
  // (-54, -40, -100): window coordinates, rows from the bottom.
  const Centre = (x, y) => [Math.floor((((x - 54) * f) / aspect / 99.5 + 1) / 2 * width),
                            Math.floor((((y - 40) * f) / 99.5 + 1) / 2 * height)];
  const Pixel = (x, y) => { const i = (y * width + x) * 4; return [pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]]; };
  const occupied = new Set();
  const cells = [].concat(spike.walls, spike.snake, spike.food);
  for (const [x, y] of cells) occupied.add(x + "," + y);
  const notWhite = [], notBlack = [];
  for (const [x, y] of cells) {
    const p = Pixel(...Centre(x, y));
    if (!(p[0] > 200 && p[1] > 200 && p[2] > 200)) notWhite.push([x, y, p]);
  }
  const Near = (x, y) => {
    for (let dx = -1; dx <= 1; ++dx)
      for (let dy = -1; dy <= 1; ++dy) if (occupied.has(x + dx + "," + (y + dy))) return true;
    return false;
  };
  let empty = 0;
  for (let x = 0; x < 109; ++x)
    for (let y = 0; y < 81; ++y) {
      if (Near(x, y)) continue;
      ++empty;
      const p = Pixel(...Centre(x, y));
      if (!(p[0] < 50 && p[1] < 50 && p[2] < 50)) notBlack.push([x, y, p]);
    }
  let opaque = true, lit = 0;
  for (let i = 0; i < pixels.length; i += 4) {
    if (pixels[i + 3] !== 255) opaque = false;
    if (pixels[i] > 200) ++lit;
  }
  // The frame itself, base64 in pieces small enough for fromCharCode.
  let binary = "";
  for (let i = 0; i < pixels.length; i += 0x8000) binary += String.fromCharCode.apply(null, pixels.subarray(i, i + 0x8000));
  return {
    mainMs: spike.mainMs, videoMs: spike.videoMs, contextMs: spike.contextMs, sceneMs: spike.sceneMs, firstFrameMs: spike.firstFrameMs,
    walls: spike.walls.length, snake: spike.snake.length, food: spike.food.length,
    emptyCellsChecked: empty, notWhite: notWhite.slice(0, 10), notWhiteCount: notWhite.length,
    notBlack: notBlack.slice(0, 10), notBlackCount: notBlack.length, opaque, litPixels: lit,
    freetype: spike.freetype, glyphS: spike.glyphS, tessellator: spike.tessellator, frame: btoa(binary),
  };
}

async function Main() {
  const server = await Serve();
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "quellor-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    userDataDir: profile,
    args: ["--no-sandbox", "--use-angle=swiftshader", "--enable-unsafe-swiftshader", "--disable-gpu-sandbox",
           "--disable-background-networking", "--disable-component-update", "--disable-sync", "--no-first-run"],
  });
  let status = 0;
  try {
    const page = await browser.newPage();
    await page.setViewport({ width: 800, height: 600 });
    const messages = [];
    page.on("console", (m) => messages.push(m.type() + ": " + m.text()));
    page.on("pageerror", (e) => messages.push("pageerror: " + e.message));
    const url = `http://127.0.0.1:${server.address().port}/index.html?frames=1`;
    await page.goto(url, { waitUntil: "load" });
    try {
      await page.waitForFunction("window.quellorSpike !== undefined", { timeout: 60000 });
    } catch (e) {
      console.log(JSON.stringify({ drawn: false, messages }, null, 1));
      return 2;
    }
    const result = await page.evaluate(CheckFrame);
    fs.writeFileSync(path.join(dir, "first-frame.rgba"), Buffer.from(result.frame, "base64"));
    const firstFrame = result.frame;
    delete result.frame;
    await page.screenshot({ path: path.join(dir, "page.png") });
    // A page that closes its window and context after the first frame and
    // makes them anew, as F1 does: the frame after that must be the same.
    const remade = await browser.newPage();
    remade.on("pageerror", (e) => messages.push("pageerror (remake): " + e.message));
    await remade.goto(url.replace("frames=1", "frames=2&remake=1"), { waitUntil: "load" });
    await remade.waitForFunction("window.quellorSpike !== undefined", { timeout: 60000 });
    const again = await remade.evaluate(CheckFrame);
    result.remade = { notWhiteCount: again.notWhiteCount, notBlackCount: again.notBlackCount, opaque: again.opaque,
                      sameFrame: again.frame === firstFrame };
    await remade.close();
    // A second page draws 200 frames: DrawFrame's own time per frame.
    const timing = await browser.newPage();
    timing.on("pageerror", (e) => messages.push("pageerror: " + e.message));
    await timing.goto(url.replace("frames=1", "frames=200"), { waitUntil: "load" });
    await timing.waitForFunction("window.quellorTiming !== undefined", { timeout: 120000 });
    result.timing = await timing.evaluate(() => window.quellorTiming);
    result.messages = messages;
    console.log(JSON.stringify(result, null, 1));
    const good = result.walls === 380 && result.snake === 10 && result.food === 1 && result.notWhiteCount === 0 &&
                 result.notBlackCount === 0 && result.opaque && result.tessellator === true &&
                 result.remade.sameFrame && result.glyphS[0] > 0 &&
                 (!process.env.QUELLOR_NATIVE_GLYPH || result.glyphS.join(" ") === process.env.QUELLOR_NATIVE_GLYPH);
    status = good ? 0 : 1;
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
  return status;
}

Main().then((status) => process.exit(status), (error) => { console.error(error); process.exit(2); });
