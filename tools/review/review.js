// The review page: the OSD over the video, the route, the timeline and the
// side panel, all from the data the tool wrote into the page.  Every OSD
// text is built here from the sample columns, line for line as the tool's
// osd command prints it.
'use strict';
(function () {
  performance.mark('review-start');
  const data = JSON.parse(document.getElementById('review-data').textContent);
  performance.mark('review-parsed');
  const $ = (id) => document.getElementById(id);
  const track = data.form === 'vtt';
  const mk2 = data.form === 'container' || data.form === 'text';
  const n = data.count;

  // ---- columns ----------------------------------------------------------
  function sums(deltas) {
    const out = new Float64Array(deltas.length);
    let v = 0;
    for (let i = 0; i < deltas.length; i++) out[i] = v += deltas[i];
    return out;
  }

  // A text column: each entry is "" for the text before it again, else the
  // length of the shared beginning as one base-36 digit and the rest; every
  // data.block-th entry is whole.  A text is rebuilt from its block's start.
  // `each(i, text)` sees every text once on loading.
  function textColumn(entries, each) {
    const apply = (text, e) => (e === '' ? text : text.slice(0, parseInt(e[0], 36)) + e.slice(1));
    if (each) {
      let text = '';
      for (let i = 0; i < entries.length; i++) each(i, text = apply(text, entries[i]));
    }
    return function (i) {
      let text = '';
      for (let k = i - (i % data.block); k <= i; k++) text = apply(text, entries[k]);
      return text;
    };
  }

  const times = sums(data.t);
  const ends = track ? sums(data.end) : null;
  const keys = mk2 ? sums(data.key) : null;
  const cols = {};
  const ownSpeed = new Float32Array(n).fill(NaN);
  const inputs = new Uint32Array(n);
  const lat6 = new Float64Array(n).fill(NaN);
  const lon6 = new Float64Array(n).fill(NaN);
  if (!track) {
    const lats = sums(data.lat6), lons = sums(data.lon6);
    for (let i = 0, p = 0, skip = 0; i < n; i++) {
      if (skip < data.noPos.length && data.noPos[skip] === i) { skip++; continue; }
      lat6[i] = lats[p];
      lon6[i] = lons[p++];
    }
    for (const name of Object.keys(data.cols)) {
      let each = null;
      if (name === 'own') each = derive(ownSpeed, (t) => (t.trim() === '' ? NaN : Number(t)));
      if (name === 'gStat') each = derive(inputs, inputMask);
      cols[name] = textColumn(data.cols[name], each);
    }
  }

  // Fills target[i] with f(text), worked out again only when the text changes.
  function derive(target, f) {
    let last = null, value;
    return (i, text) => {
      if (text !== last) value = f(last = text);
      target[i] = value;
    };
  }

  function inputMask(gStat) {
    let mask = 0;
    for (let i = 0; i < gStat.length && i < 24; i++) if (gStat[i] === '1') mask |= 1 << i;
    return mask >>> 0;
  }

  performance.mark('review-columns');

  // ---- texts as the tool prints them -----------------------------------
  const pad2 = (v) => String(v).padStart(2, '0');
  function offsetAt(t) {
    let off = 0;
    for (const [from, seconds] of data.zone || []) if (from <= t) off = seconds;
    return off;
  }
  function formatLocal(t) {
    const off = offsetAt(t);
    const iso = new Date(t + off * 1000).toISOString();
    const m = Math.abs(off) / 60;
    return iso.slice(0, 10) + ' ' + iso.slice(11, 23) + ' UTC' + (off < 0 ? '-' : '+') +
      pad2(Math.floor(m / 60)) + ':' + pad2(m % 60);
  }
  function formatPlay(ms) {
    return pad2(Math.floor(ms / 3600000)) + ':' + pad2(Math.floor(ms / 60000) % 60) + ':' +
      pad2(Math.floor(ms / 1000) % 60) + '.' + String(ms % 1000).padStart(3, '0');
  }
  function degrees(millionths) {
    const a = Math.abs(millionths);
    return (millionths < 0 ? '-' : '') + Math.floor(a / 1e6) + '.' + String(a % 1e6).padStart(6, '0');
  }
  const withUnit = (v) => (v === '' || data.unit === '' ? v : v + ' ' + data.unit);
  const line = (label, value) => label.padEnd(10) + value + '\n';
  function inputsOn(gStat) {
    const on = [];
    for (let i = 0; i < gStat.length && i < 24; i++) if (gStat[i] === '1') on.push(i + 1);
    return on.join(', ');
  }

  // The log-in in force at a time: the latest at or before its second.
  function loginAt(t) {
    const s = Math.floor(t / 1000);
    let found = null;
    for (const login of data.logins) if (login.s <= s) found = login;
    return found;
  }

  function osdText(i) {
    const t = times[i];
    if (track) {
      const lines = data.lines[i];
      let out = line('cue', formatPlay(t) + ' --> ' + formatPlay(ends[i]));
      if (lines.length === 0) out += line('text', '(no lines)');
      lines.forEach((l, k) => { out += line(k === 0 ? 'text' : '', l); });
      return out;
    }
    const c = (name) => cols[name](i);
    const ts = c('ts');
    let out = line('sample', (mk2 ? 'index ' + keys[i] + ', ' : '') + formatLocal(t) + (ts ? ' (TS ' + ts + ')' : ''));
    out += line('position', c('lat') + ' ' + c('lon') +
      (isNaN(lat6[i]) ? ' (no readable position)' : ' = ' + degrees(lat6[i]) + ', ' + degrees(lon6[i])));
    out += line('own', withUnit(c('own')));
    if (mk2) {
      out += line('radar', 'own ' + withUnit(c('radarOwn')) + ', target ' + withUnit(c('radarTarget')));
    } else {
      const speeds = [1, 2, 3, 4, 5].map((k) => k + ': ' + (c('s' + k) || '-'));
      out += line('speeds', speeds.join('  '));
    }
    const gStat = c('gStat');
    const on = inputsOn(gStat);
    out += line('status', gStat + (on ? ' (inputs on: ' + on + ')' : ' (no input on)'));
    out += line('file', c('file'));
    if (data.form !== 'binary') {
      let officers = mk2 ? data.fileOfficers : '';
      let since = '';
      if (data.form === 'document') {
        const login = loginAt(t);
        if (login) { officers = login.officers; since = login.since; }
      }
      out += line('officers', (officers || 'none logged in') + (since ? ' (since ' + since + ')' : ''));
    }
    return out;
  }

  // ---- time ------------------------------------------------------------
  // The sample shown at time `t`: the latest at or before it (a cue only
  // while it lasts), or -1.
  function sampleAt(t) {
    const i = latestAt(t);
    return i >= 0 && track && !(t <= ends[i]) ? -1 : i;
  }
  // The latest sample at or before `t`, or -1.
  function latestAt(t) {
    let lo = 0, hi = n;
    while (lo < hi) {
      const mid = (lo + hi) >> 1;
      if (times[mid] <= t) lo = mid + 1; else hi = mid;
    }
    return lo - 1;
  }

  const first = n ? times[0] : 0;
  const last = n ? times[n - 1] : 0;
  const span = { from: Math.min(first, last), to: Math.max(last, first + 1000) };
  const video = $('video');
  const hasVideo = data.video !== null;
  let cursor = n ? first : 0;
  let shown = null;
  let playing = false;

  function describeTime(t) { return track ? formatPlay(Math.max(0, t)) : formatLocal(t); }

  // A time outside the video shows its sample over the video's nearest
  // frame until the video plays again.
  let outside = false;
  function seek(t) {
    cursor = Math.round(t);
    if (hasVideo) {
      const d = isFinite(video.duration) ? video.duration : Infinity;
      const at = (cursor - data.videoStart) / 1000;
      outside = at < 0 || at > d;
      video.currentTime = Math.min(Math.max(at, 0), d);
    }
    render();
  }
  function seekSample(i) { if (n) seek(times[Math.max(0, Math.min(n - 1, i))]); }
  function videoTime() { return data.videoStart + Math.round(video.currentTime * 1000); }

  function render() {
    const i = sampleAt(cursor);
    const key = i + ':' + cursor;
    if (key === shown) return;
    shown = key;
    $('osd').textContent = i < 0
      ? 'no sample at ' + describeTime(cursor) + (n && cursor < first ? ' (before the first sample)' : '')
      : osdText(i);
    $('clock').textContent = describeTime(cursor) + (i >= 0 ? '  ·  sample ' + (i + 1) + ' of ' + n : '');
    $('slider').value = cursor;
    drawCursor(i);
    drawMarker(i);
    showOfficers(i);
  }

  // ---- playing ---------------------------------------------------------
  function setPlaying(on) {
    if (hasVideo) {
      if (on) video.play(); else video.pause();
      return;
    }
    playing = on && n > 0;
    $('play').textContent = playing ? '❚❚' : '▶';
    if (playing) {
      if (cursor >= last) cursor = first;
      let before = performance.now();
      const step = (now) => {
        if (!playing) return;
        cursor = Math.min(last, cursor + (now - before));
        before = now;
        render();
        if (cursor >= last) setPlaying(false); else requestAnimationFrame(step);
      };
      requestAnimationFrame(step);
    }
  }
  function togglePlay() { setPlaying(hasVideo ? video.paused : !playing); }

  if (hasVideo) {
    video.hidden = false;
    video.src = data.video.split('/').map(encodeURIComponent).join('/');
    const follow = () => {
      if (outside && video.paused) return;
      outside = false;
      cursor = videoTime();
      render();
    };
    if ('requestVideoFrameCallback' in video) {
      const frame = () => { follow(); video.requestVideoFrameCallback(frame); };
      video.requestVideoFrameCallback(frame);
    } else {
      video.addEventListener('timeupdate', follow);
    }
    video.addEventListener('seeked', follow);
    video.addEventListener('play', () => { $('play').textContent = '❚❚'; });
    video.addEventListener('pause', () => { $('play').textContent = '▶'; });
    video.addEventListener('loadedmetadata', () => { drawTimeline(); seek(cursor); });
    video.addEventListener('play', () => { outside = false; });
    cursor = data.videoStart;
  } else {
    $('novideo').hidden = false;
  }

  // ---- route -------------------------------------------------------------
  const route = { canvas: $('route'), marker: $('route-marker'), x: new Float32Array(n), y: new Float32Array(n) };
  const kMetresPerDegree = 111320;

  function fitCanvas(canvas) {
    const r = canvas.getBoundingClientRect();
    const ratio = window.devicePixelRatio || 1;
    canvas.width = Math.max(1, Math.round(r.width * ratio));
    canvas.height = Math.max(1, Math.round(r.height * ratio));
    const g = canvas.getContext('2d');
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    return { g, w: r.width, h: r.height };
  }

  function niceStep(limit) {
    if (limit <= 0) return 1;
    const power = Math.pow(10, Math.floor(Math.log10(limit)));
    for (const f of [5, 2, 1]) if (f * power <= limit) return f * power;
    return power;
  }

  function drawRoute() {
    const { g, w, h } = fitCanvas(route.canvas);
    fitCanvas(route.marker);
    g.fillStyle = '#93a1b0';
    g.font = '13px system-ui, sans-serif';
    let minLat = Infinity, maxLat = -Infinity, minLon = Infinity, maxLon = -Infinity, any = false;
    for (let i = 0; i < n; i++) {
      if (isNaN(lat6[i])) continue;
      any = true;
      minLat = Math.min(minLat, lat6[i]); maxLat = Math.max(maxLat, lat6[i]);
      minLon = Math.min(minLon, lon6[i]); maxLon = Math.max(maxLon, lon6[i]);
    }
    route.any = any;
    if (!any) { g.fillText('no readable positions', 16, 26); return; }
    // Equirectangular around the middle latitude, north up; a route that
    // does not move gets a 100 m wide view.
    const cosMid = Math.cos(((minLat + maxLat) / 2e6) * Math.PI / 180);
    const mx = (maxLon - minLon) / 1e6 * kMetresPerDegree * cosMid;
    const my = (maxLat - minLat) / 1e6 * kMetresPerDegree;
    const margin = 28;
    const scale = Math.min((w - 2 * margin) / Math.max(mx, 100), (h - 2 * margin) / Math.max(my, 100));
    const ox = (w - mx * scale) / 2, oy = (h - my * scale) / 2;
    for (let i = 0; i < n; i++) {
      route.x[i] = ox + (lon6[i] - minLon) / 1e6 * kMetresPerDegree * cosMid * scale;
      route.y[i] = oy + (maxLat - lat6[i]) / 1e6 * kMetresPerDegree * scale;
    }
    g.strokeStyle = '#4ea1ff';
    g.lineWidth = 2.5;
    g.lineJoin = g.lineCap = 'round';
    g.beginPath();
    let px = NaN, py = NaN, pen = false;
    for (let i = 0; i < n; i++) {
      if (isNaN(lat6[i])) { pen = false; continue; }
      const x = route.x[i], y = route.y[i];
      if (!pen) { g.moveTo(x, y); pen = true; } else if (Math.abs(x - px) + Math.abs(y - py) < 0.5) continue;
      else g.lineTo(x, y);
      px = x; py = y;
    }
    g.stroke();
    const ends = [];
    for (let i = 0; i < n; i++) if (!isNaN(lat6[i])) { ends[0] = ends[0] ?? i; ends[1] = i; }
    g.fillStyle = '#2e9e3e';
    g.beginPath(); g.arc(route.x[ends[0]], route.y[ends[0]], 5, 0, 2 * Math.PI); g.fill();
    g.fillStyle = '#d64545';
    g.fillRect(route.x[ends[1]] - 4.5, route.y[ends[1]] - 4.5, 9, 9);
    // Scale bar of a round length, about a fifth of the width.
    const metres = niceStep(w / 5 / scale);
    const bar = metres * scale;
    g.strokeStyle = g.fillStyle = '#e6e9ed';
    g.lineWidth = 3;
    g.beginPath(); g.moveTo(14, h - 14); g.lineTo(14 + bar, h - 14); g.stroke();
    g.font = '12px system-ui, sans-serif';
    g.fillText(metres >= 1000 ? (metres / 1000).toFixed(metres >= 10000 ? 0 : 1) + ' km' : metres + ' m', 14, h - 22);
    // North arrow.
    g.beginPath(); g.moveTo(w - 22, 12); g.lineTo(w - 29, 32); g.lineTo(w - 22, 27); g.lineTo(w - 15, 32);
    g.closePath(); g.fill();
    g.textAlign = 'center';
    g.fillText('N', w - 22, 46);
  }

  function drawMarker(i) {
    const g = route.marker.getContext('2d');
    g.clearRect(0, 0, route.marker.width, route.marker.height);
    if (!route.any || i < 0) return;
    // The last readable position at or before the sample.
    let k = i;
    while (k >= 0 && isNaN(lat6[k])) k--;
    if (k < 0) return;
    g.fillStyle = '#ffd23f';
    g.strokeStyle = '#000';
    g.lineWidth = 2;
    g.beginPath(); g.arc(route.x[k], route.y[k], 7, 0, 2 * Math.PI); g.fill(); g.stroke();
  }

  route.marker.addEventListener('click', (event) => {
    if (!route.any) return;
    const r = route.marker.getBoundingClientRect();
    const x = event.clientX - r.left, y = event.clientY - r.top;
    let best = -1, bestD = Infinity;
    for (let i = 0; i < n; i++) {
      if (isNaN(lat6[i])) continue;
      const d = (route.x[i] - x) ** 2 + (route.y[i] - y) ** 2;
      if (d < bestD) { bestD = d; best = i; }
    }
    if (best >= 0) seekSample(best);
  });

  // ---- timeline --------------------------------------------------------
  const line_ = { canvas: $('timeline'), cursor: $('timeline-cursor'), left: 64, right: 14 };
  const kSpeedTop = 18, kSpeedHeight = 90, kBandHeight = 11;
  const xOf = (t, w) => line_.left + (t - span.from) / (span.to - span.from) * (w - line_.left - line_.right);
  const timeOf = (x, w) => span.from + (x - line_.left) / (w - line_.left - line_.right) * (span.to - span.from);

  // Seconds between the time axis's labels: round steps of a clock.
  const kTimeSteps = [1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400];

  function drawTimeline() {
    const { g, w, h } = fitCanvas(line_.canvas);
    fitCanvas(line_.cursor);
    line_.w = w;
    g.font = '11px system-ui, sans-serif';
    g.fillStyle = '#93a1b0';
    // Own speed: the lowest and highest of each column of pixels.
    let top = 0;
    for (let i = 0; i < n; i++) if (ownSpeed[i] > top) top = ownSpeed[i];
    const step = niceStep(Math.max(top, 1) / 3);
    top = Math.ceil(Math.max(top, 1) / step) * step;
    const yOf = (v) => kSpeedTop + kSpeedHeight - v / top * kSpeedHeight;
    g.strokeStyle = '#313a44';
    g.lineWidth = 1;
    g.textAlign = 'right';
    for (let v = 0; v <= top + step / 2; v += step) {
      g.beginPath(); g.moveTo(line_.left, yOf(v) + 0.5); g.lineTo(w - line_.right, yOf(v) + 0.5); g.stroke();
      g.fillText(String(v), line_.left - 6, yOf(v) + 4);
    }
    g.save(); g.translate(10, kSpeedTop + kSpeedHeight / 2); g.rotate(-Math.PI / 2); g.textAlign = 'center';
    g.fillText('own' + (data.unit ? ' ' + data.unit : ''), 0, 0); g.restore();
    g.strokeStyle = '#ff7a59';
    g.lineWidth = 1.5;
    // One point per column of pixels, with the column's lowest and highest
    // speed between its first and last.
    g.beginPath();
    let column = NaN, low = 0, high = 0, end = 0, pen = false;
    const flush = () => {
      if (isNaN(column)) return;
      if (high > low) { g.lineTo(column, yOf(low)); g.lineTo(column, yOf(high)); }
      g.lineTo(column, yOf(end));
    };
    for (let i = 0; i < n; i++) {
      const v = ownSpeed[i];
      if (isNaN(v)) { flush(); column = NaN; pen = false; continue; }
      const x = Math.floor(xOf(times[i], w)) + 0.5;
      if (x === column) { low = Math.min(low, v); high = Math.max(high, v); end = v; continue; }
      flush();
      if (pen) g.lineTo(x, yOf(v)); else g.moveTo(x, yOf(v));
      pen = true;
      column = x; low = high = end = v;
    }
    flush();
    g.stroke();
    // Time ticks.
    g.textAlign = 'center';
    g.fillStyle = '#93a1b0';
    const total = (span.to - span.from) / 1000;
    const tick = kTimeSteps.find((step) => step >= total / 7) || kTimeSteps[kTimeSteps.length - 1];
    const axis = kSpeedTop + kSpeedHeight;
    for (let s = 0; s <= total + 1e-9; s += tick) {
      const x = xOf(span.from + s * 1000, w);
      g.fillRect(x, axis, 1, 4);
      const whole = Math.round(s);
      const label = whole >= 3600 ? Math.floor(whole / 3600) + ':' + pad2(Math.floor(whole / 60) % 60) + ':' + pad2(whole % 60)
        : Math.floor(whole / 60) + ':' + pad2(whole % 60);
      g.fillText(label, x, axis + 15);
    }
    // The inputs that are ever on, one band each.
    let ever = 0;
    for (let i = 0; i < n; i++) ever |= inputs[i];
    let row = 0;
    const bandsTop = axis + 24;
    g.textAlign = 'right';
    for (let bit = 0; bit < 24; bit++) {
      if (!(ever >>> 0 & (1 << bit) >>> 0)) continue;
      const y = bandsTop + row * (kBandHeight + 3);
      if (y + kBandHeight > h - 14) break;
      const name = (data.inputNames[bit] || '').toLowerCase();
      g.fillStyle = '#93a1b0';
      g.fillText((bit + 1) + (name ? ' ' + name : ''), line_.left - 6, y + 9);
      g.fillStyle = 'hsl(' + (row * 67 + 40) % 360 + ' 70% 58%)';
      let start = -1;
      for (let i = 0; i <= n; i++) {
        const on = i < n && (inputs[i] & (1 << bit)) !== 0;
        if (on && start < 0) start = i;
        if (!on && start >= 0) {
          const x0 = xOf(times[start], w), x1 = xOf(i < n ? times[i] : times[n - 1], w);
          g.fillRect(x0, y, Math.max(1, x1 - x0), kBandHeight);
          start = -1;
        }
      }
      row++;
    }
    // Where the video lies.
    if (hasVideo && isFinite(video.duration)) {
      const x0 = Math.max(line_.left, xOf(data.videoStart, w));
      const x1 = Math.min(w - line_.right, xOf(data.videoStart + video.duration * 1000, w));
      g.fillStyle = '#93a1b0';
      g.textAlign = 'right';
      g.fillText('video', line_.left - 6, 9);
      if (x1 > x0) { g.fillStyle = '#4ea1ff'; g.fillRect(x0, 3, x1 - x0, 5); }
    }
    // Log-ins: a faint line each, named where there is room.
    g.textAlign = 'left';
    let free = -Infinity;
    for (const login of data.logins) {
      const x = xOf(login.s * 1000, w);
      if (x < line_.left || x > w - line_.right) continue;
      g.fillStyle = 'rgba(201, 160, 255, 0.45)';
      g.fillRect(x, kSpeedTop, 1, h - kSpeedTop);
      g.fillStyle = '#c9a0ff';
      if (x < free) continue;
      const label = '▼ ' + (login.names[0] || 'log-in');
      g.fillText(label, x - 3, h - 4);
      free = x + g.measureText(label).width + 8;
    }
  }

  function drawCursor(i) {
    const g = line_.cursor.getContext('2d');
    const w = line_.w;
    g.clearRect(0, 0, line_.cursor.width, line_.cursor.height);
    const x = xOf(cursor, w);
    g.fillStyle = '#ffd23f';
    g.fillRect(x - 1, 0, 2, line_.cursor.height);
    if (i >= 0 && !isNaN(ownSpeed[i])) {
      g.font = '11px system-ui, sans-serif';
      g.fillText(ownSpeed[i] + (data.unit ? ' ' + data.unit : ''), x + 4, kSpeedTop + 8);
    }
  }

  // A click seeks to the sample nearest the time under it.
  line_.cursor.addEventListener('click', (event) => {
    const r = line_.cursor.getBoundingClientRect();
    const t = timeOf(event.clientX - r.left, r.width);
    const i = sampleAt(t);
    const next = Math.min(n - 1, i + 1);
    if (!track && i >= 0 && times[next] - t < t - times[i]) seekSample(next);
    else seekSample(Math.max(i, 0));
  });

  // ---- side panel -------------------------------------------------------
  function table(rows) {
    const t = document.createElement('table');
    for (const [label, value] of rows) {
      const tr = t.insertRow();
      tr.insertCell().textContent = label;
      tr.insertCell().textContent = value;
    }
    return t;
  }
  function heading(text) {
    const h = document.createElement('h2');
    h.textContent = text;
    return h;
  }
  const officersBox = document.createElement('div');
  $('panel').append(heading('Officers'), officersBox);
  for (const section of data.panel) $('panel').append(heading(section.title), table(section.rows));
  let shownLogin;
  function showOfficers(i) {
    let rows = [];
    if (mk2) {
      rows = [['officers', data.fileOfficers || 'none']];
    } else if (data.form === 'document') {
      const login = i >= 0 ? loginAt(times[i]) : loginAt(cursor);
      if (login === shownLogin) return;
      shownLogin = login;
      if (!login) rows = [['officers', 'none logged in']];
      else {
        login.names.forEach((name, k) => rows.push(['officer ' + (k + 1), name]));
        rows.push(['since', login.since]);
        login.fields.forEach((f, k) => rows.push(['field ' + (k + 1), f]));
      }
    } else {
      rows = [['officers', 'not in this form']];
    }
    officersBox.replaceChildren(table(rows));
  }

  // ---- controls -----------------------------------------------------------
  const slider = $('slider');
  slider.min = span.from;
  slider.max = span.to;
  slider.addEventListener('input', () => seek(Number(slider.value)));
  // The button lets go of the focus: space is the page's key, not its.
  $('play').addEventListener('click', (event) => { togglePlay(); event.currentTarget.blur(); });
  document.addEventListener('keydown', (event) => {
    // Between two samples the left key goes to the one before.
    const i = latestAt(cursor);
    const actions = {
      ' ': togglePlay,
      ArrowLeft: () => seekSample(i < 0 ? 0 : times[i] < cursor ? i : i - 1),
      ArrowRight: () => seekSample(i + 1),
      Home: () => seekSample(0),
      End: () => seekSample(n - 1),
    };
    const action = actions[event.key];
    if (!action) return;
    event.preventDefault();
    action();
  }, true);

  $('summary').title = $('summary').textContent = n + ' samples · ' + (hasVideo ? 'video ' + data.video +
    ' starts ' + describeTime(data.videoStart) + ' (from ' + data.videoStartFrom + ')' : 'no video') +
    (data.leftOut ? ' · ' + data.leftOut + ' without a readable time left out' : '');

  function layout() { drawRoute(); drawTimeline(); shown = null; shownLogin = undefined; render(); }
  window.addEventListener('resize', layout);
  layout();
  performance.mark('review-ready');

  // For tests and people at the console: where things are and where the
  // page is.
  window.review = {
    count: n,
    seek,
    seekSample,
    sample: () => sampleAt(cursor),
    time: () => cursor,
    timeOf: (i) => times[i],
    routePoint: (i) => {
      const r = route.marker.getBoundingClientRect();
      return { x: r.left + route.x[i], y: r.top + route.y[i] };
    },
    timelinePoint: (t) => {
      const r = line_.cursor.getBoundingClientRect();
      return { x: r.left + xOf(t, r.width), y: r.top + r.height / 2 };
    },
  };
})();
